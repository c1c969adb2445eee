#include "standins/kelo/client/MenuCommands.h"

#include "contracts/kelo/IDocumentFactory.h"
#include "contracts/kelo/IDocumentViewer.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IMailer.h"
#include "contracts/kelo/IMessengerFactory.h"
#include "contracts/kelo/IOutlookAddin.h"
#include "runtime/ComError.h"
#include "runtime/IDispatch.h"
#include "standins/kelo/client/KeloClient.h"

namespace ostrellix::standin::kelo {

namespace k = ostrellix::kelo;

namespace {

// Kinds of the viewer's and the factory's questions: does it handle files of this extension.
constexpr std::int32_t kSupportsExtension = 1;
// The mailer's flag for a mail shown for editing rather than sent at once.
constexpr std::int32_t kDisplayMail = 1;

}  // namespace

template <class Interface>
Ptr<Interface> MenuCommands::Addin() {
    for (const ObjectPtr& object : client_.AddinObjects()) {
        if (auto offered = As<Interface>(object)) return offered;
    }
    throw ComError(errors::NotSupported, "Kelo.Application", "No loaded add-in offers the Outlook commands");
}

void MenuCommands::Synchronize(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_Synchronize(window); }
void MenuCommands::ShowInOutlook(const ObjectPtr& window) {
    Addin<k::IOutlookAddin>()->IOutlookAddin_DisplayItem(window);
}
void MenuCommands::NewMail(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_NewMail(window); }
void MenuCommands::Reply(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_ReplyMail(window); }
void MenuCommands::ReplyAll(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_ReplyAllMail(window); }
void MenuCommands::Forward(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_ForwardMail(window); }
void MenuCommands::NewAppointment(const ObjectPtr& window, bool showCalendar) {
    Addin<k::IOutlookAddin>()->IOutlookAddin_NewAppointment(window, showCalendar);
}
void MenuCommands::NewMeeting(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_NewMeeting(window); }
void MenuCommands::NewTask(const ObjectPtr& window) { Addin<k::IOutlookAddin>()->IOutlookAddin_NewTask(window); }
void MenuCommands::SendToOutlook(const ObjectPtr& window) {
    Addin<k::IOutlookAddin>()->IOutlookAddin_SendToOutlook(window);
}

void MenuCommands::SendContacts(const ObjectPtr& window, std::string_view recipient) {
    Addin<k::IOutlookAddin>()->IOutlookAddin_SendContacts(recipient, window);
}
void MenuCommands::SendPleaseCall(const ObjectPtr& window, std::string_view recipient) {
    Addin<k::IOutlookAddin>()->IOutlookAddin_SendPleaseCall(recipient, window);
}
void MenuCommands::SendAllDetails(const ObjectPtr& window, std::string_view recipient) {
    Addin<k::IOutlookAddin>()->IOutlookAddin_SendAllDetails(recipient, window);
}

void MenuCommands::SendLinks(const ObjectPtr& window, std::int32_t linkKind, std::string_view subject,
                             const Variant& recipients) {
    ObjectPtr records = window;
    if (const auto explorer = As<k::IExplorer>(window)) {
        const auto selection = explorer->Selection();
        records = selection && selection->Count() > 0 ? ObjectPtr(selection) : ObjectPtr(explorer->List());
    }
    Addin<k::IMailer>()->IMailer_SendURLEx(Variant(records), subject, recipients, nullptr, 0, linkKind);
}

bool MenuCommands::DropFile(const ObjectPtr& window, std::string_view path) {
    bool handled = false;
    Addin<k::IOutlookAddin>()->IOutlookAddin_OptHandleDrop(window, path, handled);
    return handled;
}

bool MenuCommands::OpenDocument(const Ptr<k::IDocument>& document) {
    const auto viewer = Addin<k::IDocumentViewer>();
    if (!viewer->IDocumentViewer_Supports(kSupportsExtension, Variant(document->Extension()))) return false;
    viewer->IDocumentViewer_Open(document);
    return true;
}

bool MenuCommands::PrintDocument(const Ptr<k::IDocument>& document) {
    const auto viewer = Addin<k::IDocumentViewer>();
    if (!viewer->IDocumentViewer_Supports(kSupportsExtension, Variant(document->Extension()))) return false;
    viewer->IDocumentViewer_PrintOut(document);
    return true;
}

Ptr<k::IDocumentTemplates> MenuCommands::MailTemplates(const Ptr<k::IClass>& cls, const Ptr<k::IField>& field) {
    return Addin<k::IMailer>()->IMailer_Templates(cls, field);
}

void MenuCommands::MailFromTemplate(const ObjectPtr& window, const Ptr<k::IDocumentTemplate>& documentTemplate) {
    const auto inspector = As<k::IInspector>(window);
    if (!inspector) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.Application", "Mail from template needs a record window");
    }
    Addin<k::IMailer>()->IMailer_SendTemplate(documentTemplate, inspector->Record(), nullptr, Variant(), nullptr,
                                              kDisplayMail, window);
}

Ptr<k::IDocument> MenuCommands::NewDocument(const Ptr<k::IRecord>& record,
                                            const Ptr<k::IDocumentTemplate>& documentTemplate) {
    const auto factory = Addin<k::IDocumentFactory>();
    if (!factory->IDocumentFactory_Supports(kSupportsExtension, Variant(documentTemplate->Extension()))) return nullptr;
    return factory->IDocumentFactory_Create(record, documentTemplate);
}

Ptr<k::IMessenger> MenuCommands::NewMailing() { return Addin<k::IMessengerFactory>()->IMessengerFactory_Create(); }

ObjectPtr MenuCommands::PickOutlookRecipient() { return CallAddin("PickOutlookRecipient").ToObject(); }

Variant MenuCommands::CallAddin(std::string_view member, const std::vector<Variant>& arguments) {
    return Addin<IDispatch>()->Invoke(member, InvokeKind::Method, arguments);
}

}  // namespace ostrellix::standin::kelo
