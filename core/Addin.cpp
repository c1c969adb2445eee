#include "core/Addin.h"

#include <regex>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IConfigurationDialog.h"
#include "contracts/win/IShell.h"
#include "core/AddinConstants.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/KeloSynchListener.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("Addin - ");

// The client unloads the add-in because the user told it to (not because it closes).
constexpr std::int32_t kRemoveModeUserClosed = 1;

// Window style 8: show Outlook in its current size without activating it.
constexpr std::int32_t kShowNoActivate = 8;

}  // namespace

void Addin::OnConnection(const ObjectPtr& application, std::int32_t /*connectMode*/,
                         const Ptr<kelo::IAddInInstance>& addInInst, Variant& /*custom*/) {
    // Not connected yet: with the debug log on, its file cannot be reached,
    // and the client must never see an error from here.
    IgnoreErrors([] { Log("OnConnection"); });
    const auto self = SelfAs<Addin>();
    IgnoreErrors([&] { Globals::SetAddin(self); });
    IgnoreErrors([&] { Globals::ConnectToApplication(application); });
    IgnoreErrors([&] { Globals::Application()->SetAddinProgID(kAddinProgID); });
    IgnoreErrors([&] {
        m_Application = Globals::Application();
        auto& events = m_Application->Events();
        applicationEvents_.push_back(events.StartUpComplete.Connect([this] { OnStartUpComplete(); }));
        applicationEvents_.push_back(events.ShutDown.Connect([this] { OnShutDown(); }));
        applicationEvents_.push_back(events.Timer.Connect([this](std::int32_t id) { OnTimer(id); }));
        applicationEvents_.push_back(
            events.BeforeConfigure.Connect([this](const ObjectPtr& dialog) { OnBeforeConfigure(dialog); }));
        applicationEvents_.push_back(
            events.AfterActiveInspectorChanged.Connect([this] { OnAfterActiveInspectorChanged(); }));
    });
    IgnoreErrors([&] { Globals::Application()->SetValue(kInstanceValue, Variant(self)); });
    IgnoreErrors([&] { addInInst->SetObject(self); });
}

void Addin::OnDisconnection(std::int32_t removeMode, Variant& /*custom*/) {
    Log("OnDisconnection");
    IgnoreErrors([] { Globals::Application()->SetTimer(kConnectionTimerId, 0); });
    if (removeMode == kRemoveModeUserClosed) IgnoreErrors([this] { RemoveFolderPanes(); });
    IgnoreErrors([] { Globals::Application()->SetValue(kInstanceValue, Variant()); });
    IgnoreErrors([&] {
        workDialogWork_.Disconnect();
        m_WorkDialog.reset();
        applicationEvents_.clear();
        m_Application.reset();
    });
    IgnoreErrors(Globals::ReleaseCachedObjects);
}

void Addin::OnAddInsUpdate(Variant& /*custom*/) {}
void Addin::OnStartupComplete(Variant& /*custom*/) {}
void Addin::OnBeginShutdown(Variant& /*custom*/) {}

std::string Addin::StartupScript() {
    return "Dim SynchronizerX\r\n"
           "Set SynchronizerX = CreateObject(\"KeloOstrellix.StartupSynchronizer\")\r\n"
           "Set SynchronizerX.Application = Application\r\n"
           "SynchronizerX.Synchronize\r\n"
           "Set SynchronizerX = Nothing\r\n";
}

void Addin::OnStartUpComplete() {
    Log("StartUpComplete");
    // The client must never see an error from here: the first one ends the handler.
    IgnoreErrors([this] {
        Globals::ConnectToOutlook(false);
        AddFolderPanes();
        Globals::Application()->SetTimer(kConnectionTimerId, kConnectionTimerInterval);
        if (Globals::Synchronizer()->IsSynchronizationEnabled() && Globals::Options()->SynchronizeAtStartup()) {
            Globals::ConnectToOutlook(true);
            Globals::Application()->RunScript(StartupScript(), true);
        }
    });
}

void Addin::OnShutDown() {
    Log("ShutDown");
    // The client must never see an error from here: the first one ends the handler.
    IgnoreErrors([] {
        Globals::SetAddin(nullptr);
        if (Globals::Synchronizer()->IsSynchronizationEnabled() && Globals::Options()->SynchronizeAtShutdown()) {
            Globals::Synchronizer()->SynchronizeWithWorkdialog(true);
        }
    });
}

void Addin::OnTimer(std::int32_t id) {
    if (id != kConnectionTimerId) return;
    // Every 30 seconds: re-attach to an Outlook that was restarted, never
    // starting one. A failure is logged, not shown, or it would show again
    // at every tick.
    Trap([] { Globals::ConnectToOutlook(false); },
         [](const ComError& error) { Tools::LogError(error, "Addin.m_Application_Timer"); });
}

void Addin::OnBeforeConfigure(const ObjectPtr& dialog) {
    IgnoreErrors([&] {
        const auto page = Globals::Application()->CreateObject("KeloOstrellix.UserOptions");
        Must(Cast<kelo::IConfigurationDialog>(dialog)).AddPage(page);
    });
}

void Addin::OnAfterActiveInspectorChanged() {
    Trap(
        [] {
            const auto inspector = Globals::Application()->ActiveInspector();
            if (!inspector || inspector->Value(kKeloSynchListenerTag).IsObject()) return;
            // The window holds the listener from here on.
            std::make_shared<KeloSynchListener>()->Connect(inspector, kKeloSynchListenerTag);
        },
        [](const ComError& error) { Tools::LogError(error, "Addin.m_Application_AfterActiveInspectorChanged"); });
}

void Addin::IOutlookAddin_OptHandleDrop(const ObjectPtr& givenContext, std::string_view fileName, bool& handled) {
    Trap(
        [&] {
            if (!Globals::Options()->AllowDragDrop()) return;
            const auto application = Globals::Application();
            const std::string extension = text::LCase(application->Utility()->GetExtension(fileName));
            const auto explorer = As<kelo::IExplorer>(givenContext);
            if (handled || (extension != "msg" && extension != "eml") ||
                (!explorer && !Is<kelo::IInspector>(givenContext))) {
                return;
            }
            ObjectPtr context = givenContext;
            const auto inspector = explorer ? explorer->ParentInspector() : As<kelo::IInspector>(givenContext);
            if (inspector) {
                context = inspector;
                // A record not stored yet cannot be linked to.
                if (inspector->State() & kelo::recordstate::New) Must(inspector->Record()).Update();
            }
            m_WorkDialog = Cast<kelo::IWorkDialog>(application->CreateObject("Kelo.Dialog"));
            workDialogWork_ = m_WorkDialog->Events().Work.Connect([this] { OnWorkDialogWork(); });
            m_WorkDialog->SetStyle(3);
            m_WorkDialog->SetCaption(Tools::GetText("WorkingCaption"));
            m_WorkDialog->SetText(Tools::GetText("Analyzing"));
            m_WorkDialog->SetParameter("FileName", Variant(fileName));
            m_WorkDialog->SetParameter("Context", Variant(context));
            PassOn([&] { m_WorkDialog->Show(); },
                   [&] {
                       workDialogWork_.Disconnect();
                       m_WorkDialog.reset();
                   });
            workDialogWork_.Disconnect();
            m_WorkDialog.reset();
            handled = true;
        },
        [&](const ComError& error) {
            Tools::ReportError(error, "Addin.IOutlookAddin_OptHandleDrop");
            handled = true;
        });
}

void Addin::OnWorkDialogWork() {
    Trap(
        [&] {
            const ObjectPtr context = m_WorkDialog->Parameter("Context").ToObject();
            const std::string fileName = m_WorkDialog->Parameter("FileName").ToString();
            Globals::Synchronizer()->DropFile(fileName, context);
        },
        [](const ComError& error) { Tools::ReportError(error, "Addin.m_WorkDialog_Work"); });
}

bool Addin::RaiseHostEvent(const char* name, const std::vector<EventParameter>& parameters, const char* usageTags) {
    const auto application = Globals::Application();
    application->ClearEventParameters();
    for (const EventParameter& parameter : parameters) application->SetEventParameter(parameter.name, parameter.value);
    application->RaiseEvent(kTitle, name);
    const bool claimed = application->EventResult();
    if (usageTags) application->RecordUsage(usageTags);
    application->ClearEventParameters();
    return claimed;
}

bool Addin::OnNewAppointment(const Ptr<kelo::IRecord>& record) {
    return !RaiseHostEvent("NewAppointment", {{"Record", Variant(record)}}, "new_appointment;outlook_action;outlook");
}

bool Addin::OnNewTask(const Ptr<kelo::IRecord>& record) {
    return !RaiseHostEvent("NewTask", {{"Record", Variant(record)}}, "new_task;outlook_action;outlook");
}

bool Addin::OnNewMail(const Ptr<kelo::IRecord>& record, const ObjectPtr& mailItem, const ObjectPtr& context) {
    return OnNewMailWithHandler(record, mailItem, context, nullptr);
}

bool Addin::OnNewMailWithHandler(const Ptr<kelo::IRecord>& record, const ObjectPtr& mailItem,
                                 const Variant& context, const ObjectPtr& handler) {
    return !RaiseHostEvent("NewMail", {{"Record", Variant(record)},
                                       {"Item", Variant(mailItem)},
                                       {"MailItem", Variant(mailItem)},
                                       {"Context", context},
                                       {"Handler", Variant(handler)}});
}

bool Addin::OnNewOutgoingMail(const ObjectPtr& item, const ObjectPtr& context) {
    return !RaiseHostEvent("NewOutgoingMail",
                           {{"Item", Variant(item)}, {"MailItem", Variant(item)}, {"Context", Variant(context)}});
}

bool Addin::OnMailSent(const ObjectPtr& item, const ObjectPtr& context) {
    return OnMailSentWithHandler(item, context, nullptr);
}

bool Addin::OnMailSentWithHandler(const ObjectPtr& item, const Variant& context, const ObjectPtr& handler) {
    return !RaiseHostEvent("MailSent",
                           {{"Item", Variant(item)},
                            {"MailItem", Variant(item)},
                            {"Context", context},
                            {"Handler", Variant(handler)}},
                           "mail_sent;outlook_action;outlook");
}

bool Addin::OnDropFile(std::string_view filename, const ObjectPtr& context) {
    return !RaiseHostEvent("DropFile", {{"FileName", Variant(filename)}, {"Context", Variant(context)}});
}

bool Addin::OnDropItem(const ObjectPtr& item, const ObjectPtr& context) {
    Tools::AddLog(kelo::logtype::Progress, "Raising 'DropItem' event.", "Addin.OnDropFile", "");
    const bool claimed = RaiseHostEvent("DropItem", {{"Item", Variant(item)}, {"Context", Variant(context)}});
    Tools::AddLog(kelo::logtype::Progress, std::string("Event return value is '") + (claimed ? "True" : "False") + "'",
                  "Addin.OnDropFile", "");
    return !claimed;
}

Ptr<addin::Options> Addin::Options() { return Globals::Options(); }
Ptr<addin::Synchronizer> Addin::Synchronizer() { return Globals::Synchronizer(); }
Ptr<kelo::IApplication> Addin::Application() { return Globals::Application(); }
Ptr<outlook::IApplication> Addin::Outlook() { return Globals::Outlook(); }
Ptr<kelo::ITranslator> Addin::ResourceBundle() { return Globals::ResourceBundle(); }
Ptr<mapi::ISession> Addin::Redemption() { return Globals::Redemption(); }
void Addin::AddObject(const ObjectPtr& item) { Globals::AddEventListener(item); }
void Addin::RemoveObject(const ObjectPtr& item) { Globals::RemoveEventListener(item); }

void Addin::StartOutlook() {
    Trap(
        [] {
            const auto shell = Cast<win::IShell>(Globals::System().CreateObject("WScript.Shell"));
            shell->Run("Outlook.exe", kShowNoActivate, false);
        },
        [](const ComError& error) { Tools::ReportError(error, "Addin.StartOutlook"); });
}

void Addin::Synchronize() {
    Trap([] { Globals::Synchronizer()->Synchronize(false); },
         [](const ComError& error) { Tools::ReportError(error, "Addin.Synchronize"); });
}

std::string Addin::TruncateDescription(std::string_view input, std::int16_t nMax) {
    std::string s(input);
    const auto charAt = [&](int position) {
        if (position < 1) RaiseRuntimeError(errors::InvalidProcedureCall);
        return text::Mid(s, static_cast<std::size_t>(position), 1);
    };
    const auto left = [&](int count) {
        if (count < 0) RaiseRuntimeError(errors::InvalidProcedureCall);
        s = text::Left(s, static_cast<std::size_t>(count));
    };
    if (text::Len(s) > static_cast<std::size_t>(std::max<int>(nMax, 0))) {
        left(nMax - 3);
        // Fixed positions in the shortened text, not re-aimed after each cut.
        if (charAt(nMax - 3) == " ") left(nMax - 4);
        if (charAt(nMax - 4) == " ") left(nMax - 5);
        if (charAt(nMax - 5) == " ") left(nMax - 6);
        s += "...";
    }
    s = text::Replace(s, "\r\n", " ");
    s = text::Replace(s, "\r\n", " ");
    s = text::Replace(s, "\t", " ");
    s = text::Replace(s, "\n", " ");
    s = text::Replace(s, "\r", " ");
    return s;
}

bool Addin::IsValidEMailAddress(const Variant& address) {
    static const std::regex pattern(
        R"(^[a-z0-9!#$%&'*+/=?^_`{|}~-]+(?:\.[a-z0-9!#$%&'*+/=?^_`{|}~-]+)*@(?:[a-z0-9](?:[a-z0-9-]*[a-z0-9])?\.)+[a-z0-9](?:[a-z0-9-]*[a-z0-9])?$)",
        std::regex::ECMAScript | std::regex::icase | std::regex::optimize);
    return std::regex_match(address.ToString(), pattern);
}

}  // namespace ostrellix::addin
