#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IDTExtensibility2.h"
#include "contracts/kelo/IDocumentFactory.h"
#include "contracts/kelo/IDocumentViewer.h"
#include "contracts/kelo/IMailer.h"
#include "contracts/kelo/IMessengerFactory.h"
#include "contracts/kelo/IOutlookAddin.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/kelo/ITranslator.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IRecipient.h"
#include "runtime/Connection.h"
#include "runtime/IDispatch.h"

namespace ostrellix::addin {

class Options;
class Synchronizer;

// The object through which the Kelo client loads the add-in
// ("KeloOstrellix.Addin"). OnConnection connects to the client;
// StartUpComplete attaches to a running Outlook and starts the timer that
// re-attaches to a restarted one; ShutDown and OnDisconnection let go of
// everything. The client's Outlook commands, mail channel, mail documents
// and mass mailing come in through the host interfaces; each command hands
// its work to the class that does it (AddinCommands.cpp). The members of
// its own interface that the client and its scripts call by name are
// reached through late binding (AddinDispatch.cpp).
class Addin : public kelo::IDTExtensibility2,
              public kelo::IOutlookAddin,
              public kelo::IMailer,
              public kelo::IDocumentFactory,
              public kelo::IDocumentViewer,
              public kelo::IMessengerFactory,
              public IDispatch {
public:
    void OnConnection(const ObjectPtr& application, std::int32_t connectMode,
                      const Ptr<kelo::IAddInInstance>& addInInst, Variant& custom) override;
    // The folder panes go only when the user unloads the add-in (removeMode 1).
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
    // One side pane of the client per folder of the option Panes, each
    // showing its folder in an OutlookView; nothing without a 32-bit Office.
    // A folder that no longer resolves gets no pane.
    void AddFolderPanes();
    // Takes away the panes AddFolderPanes made, and no others.
    void RemoveFolderPanes();

    // Shortened one-line description: at most nMax characters, cut near a
    // blank and ended with "...", line breaks and tabs as blanks.
    static std::string TruncateDescription(std::string_view s, std::int16_t nMax);
    static bool IsValidEMailAddress(const Variant& address);
    // The category is made when Outlook connects; nothing to do here.
    void CreateCategories() {}

    // The start-up script handed to the client's script engine.
    static std::string StartupScript();

    // The matching ".msg" and ".eml" templates: those whose location text
    // begins one of the class's names (or, with a field, class and field
    // names joined by a point), without regard to case; an empty location
    // belongs to every class.
    void GetTemplates(const Ptr<kelo::IClass>& cls, const Ptr<kelo::IField>& field,
                      Ptr<kelo::IDocumentTemplates>& templates);
    // Shows the Outlook item of the context's record; without one, offers to export the record.
    void DisplayItem(const ObjectPtr& context);
    void ForwardMail(const ObjectPtr& context);
    void NewAppointment(const ObjectPtr& context, bool showCalendar);
    void NewMail(const ObjectPtr& context);
    void NewMeeting(const ObjectPtr& context);
    void NewTask(const ObjectPtr& context);
    void ReplyAllMail(const ObjectPtr& context);
    void ReplyMail(const ObjectPtr& context);
    void SendContacts(std::string_view recipient, const ObjectPtr& context);
    void SendToOutlook(const ObjectPtr& context);
    // One name from Outlook's address book, or nothing when the user cancels.
    Ptr<outlook::IRecipient> PickOutlookRecipient();

    void IOutlookAddin_DisplayItem(const ObjectPtr& context) override { DisplayItem(context); }
    void IOutlookAddin_NewTask(const ObjectPtr& context) override { NewTask(context); }
    void IOutlookAddin_NewMail(const ObjectPtr& context) override { NewMail(context); }
    void IOutlookAddin_NewAppointment(const ObjectPtr& context, bool showCalendar) override {
        NewAppointment(context, showCalendar);
    }
    void IOutlookAddin_NewMeeting(const ObjectPtr& context) override { NewMeeting(context); }
    void IOutlookAddin_ReplyMail(const ObjectPtr& context) override { ReplyMail(context); }
    void IOutlookAddin_ReplyAllMail(const ObjectPtr& context) override { ReplyAllMail(context); }
    void IOutlookAddin_ForwardMail(const ObjectPtr& context) override { ForwardMail(context); }
    void IOutlookAddin_SendToOutlook(const ObjectPtr& context) override { SendToOutlook(context); }
    // Accepts its arguments and does nothing: the client's mail goes through IMailer.
    void IOutlookAddin_SendMail(std::string_view, const Variant&, const Variant&) override {}
    void IOutlookAddin_SendContacts(std::string_view recipient, const ObjectPtr& context) override {
        SendContacts(recipient, context);
    }
    // Synchronizes in the progress dialog: a full run, or a partial one while
    // Control is held. Synchronization not yet on for the user is switched
    // on first, when the user agrees and has a coworker record.
    void IOutlookAddin_Synchronize(const ObjectPtr& context) override;
    void IOutlookAddin_NewAppointmentWithSubject(const ObjectPtr& context, std::string_view subject) override;
    void IOutlookAddin_SendPleaseCall(std::string_view recipient, const ObjectPtr& context) override;
    void IOutlookAddin_SendAllDetails(std::string_view recipient, const ObjectPtr& context) override;
    std::int16_t IOutlookAddin_GetOutlookVersion() override;
    // A file dropped on a Kelo window: a ".msg" or ".eml" file dropped on a
    // record or list window is filed (DropFile) in the client's progress
    // dialog. `handled` is true afterwards, also when filing failed (the
    // failure was reported), so that the client does not take the drop too.
    void IOutlookAddin_OptHandleDrop(const ObjectPtr& context, std::string_view fileName, bool& handled) override;

    Ptr<kelo::IDocumentTemplates> IMailer_Templates(const Ptr<kelo::IClass>& cls,
                                                    const Ptr<kelo::IField>& field) override;
    void IMailer_Send(const Variant& recipients, std::string_view subject, std::string_view body,
                      const ObjectPtr& attachments, std::int32_t flags, const ObjectPtr& context) override;
    void IMailer_SendTemplate(const Ptr<kelo::IDocumentTemplate>& documentTemplate, const Ptr<kelo::IRecord>& record,
                              const ObjectPtr& object, const Variant& recipients, const ObjectPtr& attachments,
                              std::int32_t flags, const ObjectPtr& context) override;
    // The client's own link mail, with desktop links.
    void IMailer_SendURL(const Variant& records, std::string_view subject, const Variant& recipients,
                         const ObjectPtr& object, std::int32_t flags) override;
    bool IMailer_Supports(std::int32_t kind, const Variant& value) override;
    // An Outlook mail of links to the records, shown for the user to send.
    void IMailer_SendURLEx(const Variant& records, std::string_view subject, const Variant& recipients,
                           const ObjectPtr& object, std::int32_t flags, std::int32_t linkKind) override;

    std::string IDocumentFactory_Name() override;
    std::string IDocumentFactory_GUID() override;
    Ptr<kelo::IDocument> IDocumentFactory_Create(const Ptr<kelo::IRecord>& record,
                                                 const Ptr<kelo::IDocumentTemplate>& documentTemplate) override;
    bool IDocumentFactory_Supports(std::int32_t kind, const Variant& value) override;

    void IDocumentViewer_Open(const Ptr<kelo::IDocument>& document) override;
    void IDocumentViewer_PrintOut(const Ptr<kelo::IDocument>& document) override;
    bool IDocumentViewer_Supports(std::int32_t kind, const Variant& value) override;

    std::string IMessengerFactory_LocalName() override;
    std::string IMessengerFactory_Name() override;
    Ptr<kelo::IMessenger> IMessengerFactory_Create() override;

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

    // Its own public members by name; the hooks are raised by the add-in, not called by the client.
    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override;

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
    // Every record window that comes to the front gets its KeloSynchListener, once.
    void OnAfterActiveInspectorChanged();
    void OnWorkDialogWork();

    Ptr<kelo::IApplication> m_Application;
    std::vector<Connection> applicationEvents_;
    // The progress dialog while a dropped file is filed.
    Ptr<kelo::IWorkDialog> m_WorkDialog;
    Connection workDialogWork_;
};

}  // namespace ostrellix::addin
