#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IApplication.h"
#include "contracts/win/ISystem.h"
#include "runtime/ClassFactory.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/DialogPlans.h"
#include "standins/kelo/client/HostEvents.h"
#include "standins/kelo/client/Keyboard.h"
#include "standins/kelo/client/LinkMail.h"
#include "standins/kelo/client/MessageBoxes.h"
#include "standins/kelo/client/TimerQueue.h"
#include "standins/system/FaultSwitch.h"

namespace ostrellix::standin::kelo {

class Engine;
class Explorer;
class Inspector;
class Log;
class Panes;
class UsageRecorder;
class Utility;
class Windows;

// The Kelo client's application object, as add-ins receive it. Objects are
// made by ProgID through the one class factory (the client's own "QVR.*"
// and "Kelo.Dialog", and every other registered class). Besides the
// contract it offers the client's side to the composition (KeloClient), the
// simulated user and the host program: windows, timers, host events,
// message boxes, dialogs, keyboard, and the work the client defers.
class Application final : public ostrellix::kelo::IApplication {
public:
    struct Setup {
        std::filesystem::path workingFolder;
        std::string userName;  // the active user; the first user when empty or unknown
        std::string language = "en";
        std::string fontName = "Segoe UI";
        bool officeIs32Bit = true;
        bool panesActive = true;
    };

    Application(ClassFactory& factory, win::ISystem& system, std::shared_ptr<Engine> engine, Setup setup);
    ~Application() override;

    ObjectPtr CreateObject(std::string_view progId) override { return factory_.Create(progId); }
    Ptr<ostrellix::kelo::IInspector> ActiveInspector() override;
    Ptr<ostrellix::kelo::IExplorer> ActiveExplorer() override;
    Ptr<ostrellix::kelo::IUser> ActiveUser() override;
    Ptr<ostrellix::kelo::IUser> FindUser(std::string_view name) override;
    Ptr<ostrellix::kelo::IDatabase> Database() override;
    Ptr<ostrellix::kelo::IClasses> Classes() override;
    Ptr<ostrellix::kelo::ILog> Log() override;
    Ptr<ostrellix::kelo::IUtility> Utility() override;
    Ptr<ostrellix::kelo::IContactImport> ContactImport() override;
    Variant Value(std::string_view name) override;
    void SetValue(std::string_view name, const Variant& value) override;
    std::string Language() override { return setup_.language; }
    std::string FontName() override { return setup_.fontName; }
    std::string Text(std::string_view key) override;
    void SetAddinProgID(std::string_view progId) override { addinProgIds_.emplace_back(progId); }
    void SetTimer(std::int32_t id, std::int32_t milliseconds) override {
        Check();
        timers_.Set(id, milliseconds);
    }
    void RunScript(std::string_view script, bool deferred) override;
    std::int32_t MessageBox(std::string_view text, std::int32_t flags) override {
        Check();
        return boxes_.Show(text, flags);
    }
    void SetMousePointer(std::int32_t pointer) override { mousePointer_ = pointer; }
    void ClearEventParameters() override { hostEvents_.ClearParameters(); }
    void SetEventParameter(std::string_view name, const Variant& value) override { hostEvents_.SetParameter(name, value); }
    void RaiseEvent(std::string_view source, std::string_view name) override {
        Check();
        hostEvents_.Raise(source, name);
    }
    bool EventResult() override { return hostEvents_.Result(); }
    void RecordUsage(std::string_view tags) override;
    std::string Link(const Ptr<ostrellix::kelo::IRecord>& record, std::int32_t kind) override;
    void SendLinks(const Variant& records, std::string_view subject, const Variant& recipients,
                   const ObjectPtr& object, std::int32_t flags, std::int32_t kind) override;
    Ptr<ostrellix::kelo::IInspector> ShowRecord(const Ptr<ostrellix::kelo::IRecord>& record, const ObjectPtr& parent,
                                                std::int32_t mode) override;
    Ptr<ostrellix::kelo::IPanes> Panes() override;
    Ptr<ostrellix::kelo::IImages> Images() override;
    ostrellix::kelo::ApplicationEvents& Events() override { return events_; }

    // Another user signs in to the client (the first user when the name is unknown).
    void SignIn(std::string_view userName) {
        setup_.userName = userName;
        signedIn_ = true;
    }
    // The session goes on under a database login that is no Kelo user:
    // there is no active user until the next SignIn.
    void SignOut() { signedIn_ = false; }
    const std::shared_ptr<Engine>& DataEngine() const { return engine_; }
    Windows& WindowList() { return *windows_; }
    // Opens a list window of a class's records (those of `ids`, in order) in front.
    Ptr<Explorer> OpenList(std::string_view className, std::vector<std::int32_t> ids, const Ptr<Inspector>& parent);
    TimerQueue& Timers() { return timers_; }
    HostEvents& ScriptEvents() { return hostEvents_; }
    MessageBoxes& Boxes() { return boxes_; }
    const std::shared_ptr<DialogPlans>& Dialogs() const { return dialogs_; }
    Keyboard& Keys() { return *keyboard_; }
    UsageRecorder& Usage() { return *usage_; }
    const std::vector<std::string>& AddinProgIDs() const { return addinProgIds_; }
    std::int32_t MousePointer() const { return mousePointer_; }
    const std::vector<LinkMail>& LinkMails() const { return linkMails_; }

    // Fires the timers that are due, then runs the deferred work.
    void FireTimers();
    // Runs the scripts handed over to run later. A failing script is
    // written to the log (type 2) and to ScriptFailed; the others still run.
    void RunPending();
    // Drops every window without raising events (the client is going away).
    void DiscardWindows();

    // The calls add-ins make on the client's windows, timers, host events,
    // message boxes, usage and links are each a call of "Kelo" in the
    // machine's fault switch; a failed one raises what a client that has
    // gone away raises. (Its data calls are counted by the data engine.)
    void FailIn(system::FaultSwitch& faults) { faults_ = &faults; }

    Signal<const LinkMail&> LinkMailSent;
    Signal<const ComError&> ScriptFailed;

private:
    void Check() const;

    ClassFactory& factory_;
    win::ISystem& system_;
    std::shared_ptr<Engine> engine_;
    Setup setup_;
    ostrellix::kelo::ApplicationEvents events_;
    std::shared_ptr<Windows> windows_;
    TimerQueue timers_;
    HostEvents hostEvents_;
    MessageBoxes boxes_;
    std::shared_ptr<DialogPlans> dialogs_ = std::make_shared<DialogPlans>();
    std::shared_ptr<Keyboard> keyboard_ = std::make_shared<Keyboard>();
    std::unique_ptr<UsageRecorder> usage_;
    Ptr<kelo::Log> log_;
    Ptr<kelo::Utility> utility_;
    Ptr<kelo::Panes> panes_;
    std::vector<std::pair<std::string, Variant>> values_;
    std::vector<std::string> addinProgIds_;
    std::deque<std::string> pendingScripts_;
    std::vector<LinkMail> linkMails_;
    std::int32_t mousePointer_ = 0;
    bool signedIn_ = true;
    system::FaultSwitch* faults_ = nullptr;
};

}  // namespace ostrellix::standin::kelo
