#include "standins/kelo/client/Application.h"

#include <cctype>

#include "contracts/kelo/Codes.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/ContactImport.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Images.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Panes.h"
#include "standins/kelo/client/ScriptEngine.h"
#include "standins/kelo/client/Utility.h"
#include "standins/kelo/client/Windows.h"
#include "standins/kelo/engine/Database.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Log.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/engine/UsageRecorder.h"
#include "standins/kelo/engine/Users.h"

namespace ostrellix::standin::kelo {

namespace {

namespace linkkind = ostrellix::kelo::linkkind;
constexpr const char* kSource = "Kelo.Application";

// A part of a link: letters, digits and "-._~" as they are, the rest %-encoded.
std::string LinkPart(const std::string& part) {
    static const char* const hex = "0123456789ABCDEF";
    std::string encoded;
    for (unsigned char c : part) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~') {
            encoded += static_cast<char>(c);
        } else {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        }
    }
    return encoded;
}

// The client's own texts of its user interface that add-ins show.
std::string ClientText(const std::string& language, std::string_view key) {
    struct Entry {
        const char* key;
        const char* english;
        const char* swedish;
    };
    static const Entry kTexts[] = {
        {"AllowExport", "Allow records to be exported to other programs", "Tillåt export av poster till andra program"},
        {"Options", "Options", "Inställningar"},
    };
    for (const Entry& entry : kTexts) {
        if (text::EqualsIgnoreCase(entry.key, key)) return language == "sv" ? entry.swedish : entry.english;
    }
    return std::string(key);
}

}  // namespace

Application::Application(ClassFactory& factory, win::ISystem& system, std::shared_ptr<Engine> engine, Setup setup)
    : factory_(factory),
      system_(system),
      engine_(std::move(engine)),
      setup_(std::move(setup)),
      windows_(std::make_shared<Windows>(events_)),
      timers_(system.Clock()),
      boxes_(system.MessageBox()),
      usage_(std::make_unique<UsageRecorder>(engine_)),
      log_(std::make_shared<kelo::Log>(engine_)),
      utility_(std::make_shared<kelo::Utility>(setup_.workingFolder, keyboard_)),
      panes_(std::make_shared<kelo::Panes>([&factory](std::string_view progId) { return factory.Create(progId); },
                                           setup_.panesActive)) {
    values_.emplace_back("OfficeIs32Bit", Variant(setup_.officeIs32Bit));
}

Application::~Application() { DiscardWindows(); }

void Application::Check() const {
    if (faults_ && faults_->Pass("Kelo")) throw ComError(errors::ObjectVariableNotSet, kSource, "The client has closed");
}

Ptr<ostrellix::kelo::IInspector> Application::ActiveInspector() {
    Check();
    return windows_->ActiveInspector();
}

Ptr<ostrellix::kelo::IExplorer> Application::ActiveExplorer() {
    Check();
    return windows_->ActiveExplorer();
}

Ptr<ostrellix::kelo::IUser> Application::ActiveUser() {
    if (!signedIn_) return nullptr;
    Users users(engine_);
    if (!setup_.userName.empty()) {
        if (Ptr<User> user = users.Find(setup_.userName)) return user;
    }
    const std::vector<Ptr<User>> all = users.All();
    return all.empty() ? nullptr : all.front();
}

Ptr<ostrellix::kelo::IUser> Application::FindUser(std::string_view name) { return Users(engine_).Find(name); }
Ptr<ostrellix::kelo::IDatabase> Application::Database() { return std::make_shared<kelo::Database>(engine_); }
Ptr<ostrellix::kelo::IClasses> Application::Classes() { return engine_->Metadata().All(); }
Ptr<ostrellix::kelo::ILog> Application::Log() { return log_; }
Ptr<ostrellix::kelo::IUtility> Application::Utility() { return utility_; }

Ptr<ostrellix::kelo::IContactImport> Application::ContactImport() {
    const std::weak_ptr<Object> client = weak_from_this();
    return std::make_shared<kelo::ContactImport>(engine_, [client](const Ptr<Record>& record) {
        const auto application = std::dynamic_pointer_cast<Application>(client.lock());
        if (!application) throw ComError(errors::ObjectVariableNotSet, kSource, "The client has closed");
        application->ShowRecord(record, nullptr, ostrellix::kelo::kShowModeNewWindow)->Show();
    });
}

Variant Application::Value(std::string_view name) {
    for (const auto& [key, value] : values_) {
        if (text::EqualsIgnoreCase(key, name)) return value;
    }
    return {};
}

void Application::SetValue(std::string_view name, const Variant& value) {
    for (auto& [key, stored] : values_) {
        if (text::EqualsIgnoreCase(key, name)) {
            stored = value;
            return;
        }
    }
    values_.emplace_back(std::string(name), value);
}

std::string Application::Text(std::string_view key) { return ClientText(setup_.language, key); }

void Application::RunScript(std::string_view script, bool deferred) {
    if (deferred) {
        pendingScripts_.emplace_back(script);
        return;
    }
    ScriptEngine([this](std::string_view progId) { return factory_.Create(progId); }, SelfAs<Object>()).Run(script);
}

void Application::RunPending() {
    while (!pendingScripts_.empty()) {
        const std::string script = std::move(pendingScripts_.front());
        pendingScripts_.pop_front();
        Trap([&] { RunScript(script, false); },
             [&](const ComError& error) {
                 system_.DebugOutput().OutputDebugString("Kelo - script failed: " + error.Description() + "\r\n");
                 IgnoreErrors([&] {
                     log_->Add(ostrellix::kelo::logtype::Error, error.Source(), "RunScript", error.HexNumber(),
                               error.Description());
                 });
                 ScriptFailed.Raise(error);
             });
    }
}

void Application::FireTimers() {
    timers_.FireDue([&](std::int32_t id) { events_.Timer.Raise(id); });
    RunPending();
}

void Application::RecordUsage(std::string_view tags) {
    Check();
    usage_->Record(tags);
}

std::string Application::Link(const Ptr<ostrellix::kelo::IRecord>& record, std::int32_t kind) {
    if (!record) RaiseRuntimeError(errors::ObjectVariableNotSet);
    if (record->ID() <= 0) {
        throw ComError(errors::InvalidProcedureCall, kSource, "A record that was never stored has no link");
    }
    const std::string path = LinkPart(engine_->Name()) + "/" + LinkPart(record->Class()->Name()) + "/" +
                             std::to_string(record->ID());
    if (kind == linkkind::Desktop) return "kelo://" + LinkPart(engine_->Server()) + "/" + path;
    if (kind == linkkind::Web) return "https://" + LinkPart(engine_->Server()) + "/kelo/" + path;
    throw ComError(errors::InvalidProcedureCall, kSource,
                   "Link kind " + std::to_string(kind) + " is not known (1 desktop, 2 web)");
}

void Application::SendLinks(const Variant& records, std::string_view subject, const Variant& recipients,
                            const ObjectPtr& /*object*/, std::int32_t flags, std::int32_t kind) {
    Check();
    if (kind != linkkind::Desktop && kind != linkkind::Web && kind != linkkind::Both) {
        throw ComError(errors::InvalidProcedureCall, kSource,
                       "Link kind " + std::to_string(kind) + " is not known (1 desktop, 2 web, 3 both)");
    }
    LinkMail mail{std::string(subject), LinkMail::RecipientsOf(recipients), flags, kind, {}};
    for (const auto& record : LinkMail::RecordsOf(records)) {
        LinkMail::Entry entry{record->Descriptive(), {}};
        if (kind != linkkind::Web) entry.links.push_back(Link(record, linkkind::Desktop));
        if (kind != linkkind::Desktop) entry.links.push_back(Link(record, linkkind::Web));
        mail.entries.push_back(std::move(entry));
    }
    linkMails_.push_back(mail);
    LinkMailSent.Raise(linkMails_.back());
}

Ptr<ostrellix::kelo::IInspector> Application::ShowRecord(const Ptr<ostrellix::kelo::IRecord>& record,
                                                         const ObjectPtr& parent, std::int32_t mode) {
    Check();
    if (!record) RaiseRuntimeError(errors::ObjectVariableNotSet);
    if (mode != ostrellix::kelo::kShowModeNewWindow && mode != ostrellix::kelo::kShowModeReuseWindow) {
        throw ComError(errors::InvalidProcedureCall, kSource,
                       "Show mode " + std::to_string(mode) + " is not known (1 reuse a window, 2 new window)");
    }
    if (mode == ostrellix::kelo::kShowModeReuseWindow && record->ID() > 0) {
        for (const auto& open : windows_->Inspectors()) {
            if (open->Record()->ID() == record->ID() && SameObject(open->Class(), record->Class())) return open;
        }
    }
    Ptr<Inspector> parentInspector = As<Inspector>(parent);
    if (const auto explorer = As<Explorer>(parent)) parentInspector = As<Inspector>(explorer->Inspector());
    return std::make_shared<Inspector>(windows_, record, parentInspector);
}

Ptr<Explorer> Application::OpenList(std::string_view className, std::vector<std::int32_t> ids,
                                    const Ptr<Inspector>& parent) {
    auto explorer =
        std::make_shared<Explorer>(windows_, engine_, engine_->Metadata().Require(className), std::move(ids), parent);
    windows_->Focus(explorer);
    return explorer;
}

Ptr<ostrellix::kelo::IPanes> Application::Panes() { return panes_; }
Ptr<ostrellix::kelo::IImages> Application::Images() { return std::make_shared<kelo::Images>(); }

void Application::DiscardWindows() {
    for (const auto& inspector : windows_->Inspectors()) inspector->Discard();
    windows_->Clear();
}

}  // namespace ostrellix::standin::kelo
