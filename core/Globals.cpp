#include "core/Globals.h"

#include "contracts/outlook/Constants.h"
#include "contracts/win/IShell.h"
#include "core/Addin.h"
#include "core/AddinConstants.h"
#include "core/DebugLog.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "mail/MailListener.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/BirthdayListener.h"
#include "sync/CalendarListener.h"
#include "sync/ContactListener.h"
#include "sync/SynchListener.h"
#include "sync/Synchronizer.h"
#include "sync/TaskListener.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("Globals - ");

struct State {
    win::ISystem* system = nullptr;
    std::string moduleFolder;

    Ptr<kelo::IApplication> application;
    Ptr<addin::Options> options;
    Ptr<kelo::ITranslator> resourceBundle;
    Ptr<addin::Addin> addin;
    Ptr<addin::Synchronizer> synchronizer;
    Ptr<outlook::IApplication> outlook;
    Ptr<mapi::ISession> redemption;
    Ptr<Collection> registry;  // absent until the first add
};

State& TheState() {
    static State state;
    return state;
}

constexpr const char* kConnectionFailure =
    "Failed to connect to Outlook.\r\n"
    "\r\n"
    "Recommendation: Verify that MS Outlook (Classic) is fully installed and accessible via COM "
    "(Outlook.Application). \r\n"
    "\r\n"
    "Common problems:\r\n"
    "\t- MS Outlook (Classic) was not included in currently installed distribution of MS Office.\r\n"
    "\t- Corrupted machine-level installation and obsolete (roaming) user-level registrations.";

}  // namespace

void Globals::SetPlatform(win::ISystem* system, std::string moduleFolder) {
    TheState().system = system;
    TheState().moduleFolder = std::move(moduleFolder);
}

win::ISystem& Globals::System() {
    if (!TheState().system) throw ComError(errors::ObjectVariableNotSet, kTitle, "The add-in's classes are not registered");
    return *TheState().system;
}

const std::string& Globals::ModuleFolder() { return TheState().moduleFolder; }

Ptr<kelo::IApplication> Globals::Application() {
    if (!TheState().application) Tools::RaiseError("Not connected to application");
    return TheState().application;
}

bool Globals::IsConnectedToApplication() { return TheState().application != nullptr; }

Ptr<outlook::IApplication> Globals::Outlook() {
    ConnectToOutlook(true);
    return TheState().outlook;
}

Ptr<outlook::IApplication> Globals::OutlookIfRunning() {
    ConnectToOutlook(false);
    return TheState().outlook;
}

Ptr<mapi::ISession> Globals::Redemption() {
    ConnectToRedemption();
    return TheState().redemption;
}

Ptr<kelo::ITranslator> Globals::ResourceBundle() { return TheState().resourceBundle; }

Ptr<addin::Options> Globals::Options() { return TheState().options; }

Ptr<addin::Synchronizer> Globals::Synchronizer() {
    if (!TheState().synchronizer) TheState().synchronizer = std::make_shared<addin::Synchronizer>();
    return TheState().synchronizer;
}

Ptr<addin::Addin> Globals::Addin() { return TheState().addin; }

void Globals::SetAddin(const Ptr<addin::Addin>& addin) { TheState().addin = addin; }

std::int16_t Globals::GetOutlookMajorVersion() {
    const auto outlook = OutlookIfRunning();
    if (!outlook) return kDefaultOutlookMajorVersion;
    return Variant(text::Split(outlook->Version(), ".").at(0)).ToInteger();
}

void Globals::ConnectToApplication(const ObjectPtr& application) {
    // Before the connection the debug log's file is out of reach: only the debugger sees this line.
    IgnoreErrors([] { Log("ConnectToApplication"); });
    State& s = TheState();
    IgnoreErrors([&] {
        s.application.reset();
        s.options.reset();
        s.resourceBundle.reset();
    });
    if (!application) return;
    IgnoreErrors([&] {
        s.application = As<kelo::IApplication>(application);
        s.options = std::make_shared<addin::Options>();
    });
    IgnoreErrors([&] { s.options->SetSettings(Must(s.application->Database()).Settings()->Child(kTitle)); });
    IgnoreErrors([&] { s.resourceBundle = Cast<kelo::ITranslator>(s.application->CreateObject("Brannovika.Translator")); });
    IgnoreErrors([&] {
        s.resourceBundle->SetFolder(s.application->Utility()->BuildPath(s.moduleFolder, "translation"));
    });
    IgnoreErrors([&] { s.resourceBundle->Load(kTitle, s.application->Language()); });
}

bool Globals::IsOutlookRunning() {
    State& s = TheState();
    const auto error = IgnoreErrors([&] {
        if (!s.outlook) RaiseRuntimeError(errors::ObjectVariableNotSet);
        const auto session = s.outlook->Session();
        if (!session) RaiseRuntimeError(errors::ObjectVariableNotSet);
        session->MAPIOBJECT();
    });
    if (!error) return true;
    Log("IsOutlookRunning = False, Err.Number = " + std::to_string(error->Number()) +
        ", Err.Description = " + error->Description());
    DisconnectOutlookAndRedemption();
    return false;
}

void Globals::ConnectToOutlook(bool startIfNotRunning) {
    if (IsOutlookRunning()) return;
    Log(std::string("ConnectToOutlook - startIfNotRunning = ") + (startIfNotRunning ? "True" : "False"));

    Ptr<outlook::IApplication> instance;
    if (const auto error = IgnoreErrors([&] {
            instance = As<outlook::IApplication>(Tools::GetObjectFromCLSID(outlook::kOutlookClassId));
        })) {
        Log("ConnectToOutlook - Failed to connect to running instance: (" + std::to_string(error->Number()) + ") " +
            error->Description());
    }

    std::optional<ComError> failure;
    try {
        if (!instance) {
            if (!startIfNotRunning) {
                Log("Done since Outlook is not running");
                return;
            }
            Log("Starting Outlook");
            instance = Cast<outlook::IApplication>(System().CreateObject(kOutlookProgID));
            if (!instance) RaiseRuntimeError(errors::TypeMismatch);
            // Fetching the Inbox makes Outlook log on to its profile before anything else uses it.
            instance->GetNamespace("MAPI")->GetDefaultFolder(outlook::olFolderInbox);
        }
        const std::string version = instance->Version();
        Log("Outlook.Version = " + version);

        IgnoreErrors([&] {
            auto category = instance->Session()->Categories()->Add(Tools::GetText("CategoryName"));
            category->SetColor(kCategoryColor);
        });
        IgnoreErrors([&] {
            const std::string major = std::to_string(Variant(text::Split(version, ".").at(0)).ToInteger());
            auto shell = Cast<win::IShell>(System().CreateObject("WScript.Shell"));
            shell->RegWrite("HKEY_CURRENT_USER\\Software\\Microsoft\\Office\\" + major +
                                ".0\\Outlook\\Options\\Shutdown\\AllowShutdownWithExternalReferences",
                            Variant(0), "REG_DWORD");
        });

        TheState().outlook = instance;
        SetupEventListeners();
        return;
    } catch (...) {
        failure = CurrentError();
    }

    // The instance is only released, never told to quit: it may be the
    // user's own Outlook, and one started here goes when its last reference does.
    Log("ConnectToOutlook - Failed: " + failure->Description());
    const auto pending = IgnoreErrors([&] {
        instance.reset();
        DisconnectOutlookAndRedemption();
    });
    if (pending) throw *pending;
    throw ComError(static_cast<std::int32_t>(0x80040000u), kTitle, kConnectionFailure);
}

void Globals::ConnectToRedemption() {
    if (IsRedemptionRunning()) return;
    Log("ConnectToRedemption");
    ConnectToOutlook(true);
    auto session = Cast<mapi::ISession>(Application()->CreateObject("ZQOutRed.ZQRDOSession"));
    if (!session) RaiseRuntimeError(errors::TypeMismatch);
    session->SetMAPIOBJECT(TheState().outlook->Session()->MAPIOBJECT());
    TheState().redemption = session;
}

bool Globals::IsRedemptionRunning() {
    State& s = TheState();
    std::string description;
    if (IsOutlookRunning() && s.redemption) {
        // Only that a property can be read counts, not what it says.
        const auto error = IgnoreErrors([&] { s.redemption->LoggedOn(); });
        if (!error) return true;
        description = error->Description();
    }
    Log("IsRedemptionRunning = False, Err.Description = " + description);
    s.redemption.reset();
    return false;
}

void Globals::SetupEventListeners() {
    TheState().registry.reset();
    if (!TheState().addin) return;
    Log("SetupEventListeners");
    const auto add = [](const auto& listener) {
        listener->Initialize();
        AddEventListener(listener);
    };
    add(std::make_shared<MailListener>());
    add(std::make_shared<TaskListener>());
    add(std::make_shared<ContactListener>());
    add(std::make_shared<CalendarListener>());
    add(std::make_shared<SynchListener>());
    add(std::make_shared<BirthdayListener>());
}

void Globals::AddEventListener(const ObjectPtr& object) {
    State& s = TheState();
    if (!s.registry) s.registry = std::make_shared<Collection>();
    s.registry->Add(Variant(object));
}

void Globals::RemoveEventListener(const ObjectPtr& object) {
    if (const auto registry = TheState().registry) registry->RemoveObject(object);
}

std::int32_t Globals::EventListenerCount() {
    const auto registry = TheState().registry;
    return registry ? registry->Count() : 0;
}

void Globals::DisconnectOutlookAndRedemption() {
    Log("DisconnectOutlookAndRedemption");
    State& s = TheState();
    IgnoreErrors([&] { s.registry.reset(); });
    IgnoreErrors([&] { s.outlook.reset(); });
    IgnoreErrors([&] { s.redemption.reset(); });
}

void Globals::ReleaseCachedObjects() {
    Log("ReleaseCachedObjects");
    State& s = TheState();
    IgnoreErrors([&] { DisconnectOutlookAndRedemption(); });
    IgnoreErrors([&] { s.synchronizer.reset(); });
    IgnoreErrors([&] { s.application.reset(); });
    IgnoreErrors([&] { s.resourceBundle.reset(); });
    IgnoreErrors([&] { s.options.reset(); });
    IgnoreErrors([&] { s.addin.reset(); });
}

}  // namespace ostrellix::addin
