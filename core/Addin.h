#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IDTExtensibility2.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/kelo/ITranslator.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/IApplication.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

class Options;
class Synchronizer;

// The object through which the Kelo client loads the add-in
// ("KeloOstrellix.Addin"). OnConnection connects to the client;
// StartUpComplete attaches to a running Outlook and starts the timer that
// re-attaches to a restarted one; ShutDown and OnDisconnection let go of
// everything.
class Addin : public kelo::IDTExtensibility2 {
public:
    void OnConnection(const ObjectPtr& application, std::int32_t connectMode,
                      const Ptr<kelo::IAddInInstance>& addInInst, Variant& custom) override;
    void OnDisconnection(std::int32_t removeMode, Variant& custom) override;
    void OnAddInsUpdate(Variant& custom) override;
    void OnStartupComplete(Variant& custom) override;
    void OnBeginShutdown(Variant& custom) override;

    Ptr<addin::Options> Options();
    Ptr<addin::Synchronizer> Synchronizer();
    Ptr<kelo::IApplication> Application();
    Ptr<outlook::IApplication> Outlook();
    Ptr<kelo::ITranslator> ResourceBundle();
    Ptr<mapi::ISession> Redemption();
    void AddObject(const ObjectPtr& item);
    void RemoveObject(const ObjectPtr& item);
    void AllowShutdownWithExternalReferences() {}
    void StartOutlook();
    // A partial synchronization (full when the time stamps are unset), without a work dialog.
    void Synchronize();

    // Shortened one-line description: at most nMax characters, cut near a
    // blank and ended with "...", line breaks and tabs as blanks.
    static std::string TruncateDescription(std::string_view s, std::int16_t nMax);
    static bool IsValidEMailAddress(const Variant& address);
    // The category is made when Outlook connects; nothing to do here.
    void CreateCategories() {}

    // The start-up script handed to the client's script engine.
    static std::string StartupScript();

    // A file dropped on a Kelo window: a ".msg" or ".eml" file dropped on a
    // record or list window is filed (DropFile) in the client's progress
    // dialog. `handled` is true afterwards, also when filing failed (the
    // failure was reported), so that the client does not take the drop too.
    void IOutlookAddin_OptHandleDrop(const ObjectPtr& context, std::string_view fileName, bool& handled);

    // Hooks that raise events in the host for its scripts; true when no
    // handler of the host claimed the event, so the caller goes on.
    bool OnNewAppointment(const Ptr<kelo::IRecord>& record);
    bool OnNewTask(const Ptr<kelo::IRecord>& record);
    bool OnNewMail(const Ptr<kelo::IRecord>& record, const ObjectPtr& mailItem, const ObjectPtr& context);
    bool OnDropFile(std::string_view filename, const ObjectPtr& context);
    bool OnDropItem(const ObjectPtr& item, const ObjectPtr& context);
    bool OnNewOutgoingMail(const ObjectPtr& item, const ObjectPtr& context);
    bool OnMailSent(const ObjectPtr& item, const ObjectPtr& context);
    bool OnNewMailWithHandler(const Ptr<kelo::IRecord>& record, const ObjectPtr& mailItem, const Variant& context,
                              const ObjectPtr& handler);
    bool OnMailSentWithHandler(const ObjectPtr& item, const Variant& context, const ObjectPtr& handler);

private:
    struct EventParameter {
        const char* name;
        Variant value;
    };
    // The host's result flag of the event, as it reported it.
    static bool RaiseHostEvent(const char* name, const std::vector<EventParameter>& parameters,
                               const char* usageTags = nullptr);

    void OnStartUpComplete();
    void OnShutDown();
    void OnTimer(std::int32_t id);
    void OnBeforeConfigure(const ObjectPtr& dialog);
    void OnWorkDialogWork();

    Ptr<kelo::IApplication> m_Application;
    std::vector<Connection> applicationEvents_;
    // The progress dialog while a dropped file is filed.
    Ptr<kelo::IWorkDialog> m_WorkDialog;
    Connection workDialogWork_;
};

}  // namespace ostrellix::addin
