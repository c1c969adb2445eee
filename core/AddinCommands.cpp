// The commands the Kelo client calls through its host interfaces. Each
// finds its input and hands the work to the class that does it.
#include <cstdio>

#include "compose/DocumentFactory.h"
#include "compose/DocumentViewer.h"
#include "compose/NewAppointment.h"
#include "compose/NewAppointmentEx.h"
#include "compose/NewMail.h"
#include "compose/NewMailReply.h"
#include "compose/NewMeeting.h"
#include "compose/NewTask.h"
#include "compose/SendAllDetails.h"
#include "compose/SendContacts.h"
#include "compose/SendPleaseCall.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IListItem.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/ISelectNamesDialog.h"
#include "core/Addin.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/LinkMailBody.h"
#include "core/Options.h"
#include "core/RecipientLists.h"
#include "core/TemplateMatcher.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "messenger/Messenger.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/Export.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kControlKey = 17;
constexpr std::int32_t kYesNoQuestion = 36;
constexpr std::int32_t kAnswerYes = 6;
constexpr std::int32_t kAnswerNo = 7;

bool IsMailExtension(const Variant& value) {
    const std::string extension = text::LCase(value.ToString());
    return extension == "msg" || extension == "eml";
}

}  // namespace

void Addin::GetTemplates(const Ptr<kelo::IClass>& cls, const Ptr<kelo::IField>& field,
                         Ptr<kelo::IDocumentTemplates>& templates) {
    const TemplateMatcher matcher(cls, field);
    const auto application = Globals::Application();
    templates = Cast<kelo::IDocumentTemplates>(application->CreateObject("QVR.DocumentTemplates"));
    const auto all = application->Database()->Templates();
    for (std::int32_t i = 1; i <= all->Count(); ++i) {
        const auto candidate = all->Item(i);
        if (matcher.Matches(candidate)) templates->Add(candidate);
    }
}

void Addin::DisplayItem(const ObjectPtr& context) {
    Ptr<kelo::IClass> cls;
    Ptr<outlook::IItem> item;
    if (const auto inspector = As<kelo::IInspector>(context)) {
        cls = inspector->Class();
        item = Globals::Synchronizer()->FindItemFromRecord(inspector->Record());
    } else if (const auto explorer = As<kelo::IExplorer>(context)) {
        cls = explorer->Class();
        if (const auto active = explorer->ActiveItem()) {
            item = Globals::Synchronizer()->FindItemFromRecord(active->Record());
        }
    }
    if (item) {
        item->Display();
        return;
    }
    const bool contact = cls && (cls->Label() == kelo::classlabel::Coworker || cls->Label() == kelo::classlabel::Person);
    if (Tools::ShowMessage(Tools::GetText(contact ? "ContactNotFoundInOutlook" : "ItemNotFoundInOutlook"),
                           kYesNoQuestion) == kAnswerYes) {
        IOutlookAddin_SendToOutlook(context);
    }
}

void Addin::ForwardMail(const ObjectPtr& context) { std::make_shared<NewMailReply>()->Forward(context); }
void Addin::NewAppointment(const ObjectPtr& context, bool showCalendar) {
    if (showCalendar) {
        std::make_shared<NewAppointmentEx>()->NewAppointmentFromContext(context);
    } else {
        std::make_shared<addin::NewAppointment>()->NewAppointmentFromContext(context);
    }
}
void Addin::NewMail(const ObjectPtr& context) {
    Variant recipients;
    Globals::Synchronizer()->FindRecipientsFromContext(recipients, context);
    const auto mail = std::make_shared<addin::NewMail>();
    mail->SetRecipients(recipients);
    mail->SetContext(Variant(context));
    mail->Display();
}
void Addin::NewMeeting(const ObjectPtr& context) { std::make_shared<addin::NewMeeting>()->NewMeetingFromContext(context); }
void Addin::NewTask(const ObjectPtr& context) {
    std::make_shared<addin::NewTask>()->NewTaskFromContext(Globals::Application(), context);
}
void Addin::ReplyAllMail(const ObjectPtr& context) { std::make_shared<NewMailReply>()->ReplyAll(context); }
void Addin::ReplyMail(const ObjectPtr& context) { std::make_shared<NewMailReply>()->Reply(context); }
void Addin::SendContacts(std::string_view recipient, const ObjectPtr& context) {
    std::make_shared<addin::SendContacts>()->SendContactsFromContext(Globals::Application(), recipient, context);
}
void Addin::SendToOutlook(const ObjectPtr& context) { std::make_shared<Export>()->ExportFromContext(context); }

void Addin::IOutlookAddin_NewAppointmentWithSubject(const ObjectPtr& context, std::string_view subject) {
    std::make_shared<addin::NewAppointment>()->NewAppointmentFromContextWithSubject(context, subject);
}
void Addin::IOutlookAddin_SendPleaseCall(std::string_view recipient, const ObjectPtr& context) {
    std::make_shared<SendPleaseCall>()->SendPleaseCallFromContext(Globals::Application(), recipient, context);
}
void Addin::IOutlookAddin_SendAllDetails(std::string_view recipient, const ObjectPtr& context) {
    std::make_shared<SendAllDetails>()->SendAllDetailsFromContext(Globals::Application(), recipient, context);
}

Ptr<outlook::IRecipient> Addin::PickOutlookRecipient() {
    const auto session = Globals::Outlook()->Session();
    const auto dialog = session->GetSelectNamesDialog();
    if (!dialog) return nullptr;
    const auto lists = session->AddressLists();
    for (std::int32_t i = 1; i <= lists->Count(); ++i) {
        const auto list = lists->Item(i);
        if (list->AddressListType() == outlook::olExchangeGlobalAddressList) dialog->SetInitialAddressList(list);
    }
    dialog->SetShowOnlyInitialAddressList(false);
    dialog->SetAllowMultipleSelection(false);
    dialog->SetDefaultDisplayMode(outlook::olDefaultSingleName);
    if (!dialog->Display()) return nullptr;
    const auto picked = dialog->Recipients();
    return picked->Count() >= 1 ? picked->Item(1) : nullptr;
}

void Addin::IOutlookAddin_Synchronize(const ObjectPtr& /*context*/) {
    const auto application = Globals::Application();
    if (!Globals::Synchronizer()->IsSynchronizationEnabled()) {
        const auto user = application->ActiveUser();
        const auto coworker = user ? user->Record() : nullptr;
        if (!coworker) Tools::RaiseError(Tools::GetText("NoCoworker"));
        if (Tools::ShowMessage(Tools::GetText("ActivateSynchronization"), kYesNoQuestion) == kAnswerNo) return;
        Globals::Options()->SetSynchronizationUser(coworker->ID());
    }
    const bool partial = application->Utility()->IsKeyDown(kControlKey);
    Globals::Synchronizer()->SynchronizeWithWorkdialog(!partial);
}

std::int16_t Addin::IOutlookAddin_GetOutlookVersion() { return Globals::GetOutlookMajorVersion(); }

Ptr<kelo::IDocumentTemplates> Addin::IMailer_Templates(const Ptr<kelo::IClass>& cls, const Ptr<kelo::IField>& field) {
    Ptr<kelo::IDocumentTemplates> templates;
    GetTemplates(cls, field, templates);
    return templates;
}

void Addin::IMailer_Send(const Variant& recipients, std::string_view subject, std::string_view body,
                         const ObjectPtr& attachments, std::int32_t flags, const ObjectPtr& context) {
    const WaitCursor wait;
    const auto mail = std::make_shared<addin::NewMail>();
    mail->SetFlags(flags);
    mail->SetRecipients(recipients);
    mail->SetSubject(Variant(subject));
    mail->SetBody(Variant(body));
    mail->SetContext(Variant(context));
    mail->SetAttachments(Variant(attachments));
    mail->Display();
}

void Addin::IMailer_SendTemplate(const Ptr<kelo::IDocumentTemplate>& documentTemplate, const Ptr<kelo::IRecord>& record,
                                 const ObjectPtr& /*object*/, const Variant& recipients, const ObjectPtr& attachments,
                                 std::int32_t flags, const ObjectPtr& context) {
    const WaitCursor wait;
    const std::string path = Tools::MakeTempFileName(documentTemplate->Extension());
    std::make_shared<DocumentFactory>()->CreateMailFromTemplate(documentTemplate, record, path);
    const auto mail = std::make_shared<addin::NewMail>();
    mail->SetFlags(flags);
    mail->SetTemplate(Variant(path));
    mail->SetAttachments(Variant(attachments));
    mail->SetRecipients(recipients);
    mail->SetContext(context ? Variant(context) : Variant(ObjectPtr(record)));
    mail->Display();
    IgnoreErrors([&] { std::remove(path.c_str()); });
}

void Addin::IMailer_SendURL(const Variant& records, std::string_view subject, const Variant& recipients,
                            const ObjectPtr& object, std::int32_t flags) {
    Globals::Application()->SendLinks(records, subject, recipients, object, flags, kelo::linkkind::Desktop);
}

bool Addin::IMailer_Supports(std::int32_t kind, const Variant& /*value*/) { return kind == 1; }

void Addin::IMailer_SendURLEx(const Variant& records, std::string_view subject, const Variant& recipients,
                              const ObjectPtr& /*object*/, std::int32_t /*flags*/, std::int32_t linkKind) {
    const WaitCursor wait;
    const auto mail = Cast<outlook::IMailItem>(Globals::Outlook()->CreateItem(outlook::olMailItem));
    LinkMailBody body(Globals::Application(), records, linkKind);
    const RecipientLists lists(recipients);
    mail->SetHTMLBody(body.Html());
    mail->SetSubject(body.Subject(subject));
    mail->SetTo(lists.To());
    mail->SetCC(lists.CC());
    mail->SetBCC(lists.BCC());
    mail->Display();
}

std::string Addin::IDocumentFactory_Name() { return "Outlook 2000 document factory"; }
std::string Addin::IDocumentFactory_GUID() { return "{D2EC499E-2FBB-4207-B373-7339D09958CB}"; }

Ptr<kelo::IDocument> Addin::IDocumentFactory_Create(const Ptr<kelo::IRecord>& record,
                                                    const Ptr<kelo::IDocumentTemplate>& documentTemplate) {
    const std::string path = Tools::MakeTempFileName(documentTemplate->Extension());
    std::make_shared<DocumentFactory>()->CreateMailFromTemplate(documentTemplate, record, path);
    const auto document = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    document->LoadFromFile(path);
    document->SetName(Tools::FitDocumentName(document, documentTemplate->Name()));
    IgnoreErrors([&] { std::remove(path.c_str()); });
    return document;
}

bool Addin::IDocumentFactory_Supports(std::int32_t kind, const Variant& value) {
    bool supported = false;
    // The client asks often and only wants an answer: a failure means no.
    IgnoreErrors([&] {
        if (kind == 1) supported = text::LCase(value.ToString()) == "msg";
        if (kind == 2) supported = Must(Globals::Options()).AllowEditMessages();
    });
    return supported;
}

void Addin::IDocumentViewer_Open(const Ptr<kelo::IDocument>& document) {
    std::make_shared<DocumentViewer>()->Display(document);
}

void Addin::IDocumentViewer_PrintOut(const Ptr<kelo::IDocument>& document) {
    Trap([&] { std::make_shared<DocumentViewer>()->PrintOut(document); },
         [](const ComError& error) { Tools::ReportError(error, "Addin.IDocumentViewer_PrintOut"); });
}

bool Addin::IDocumentViewer_Supports(std::int32_t kind, const Variant& value) {
    switch (kind) {
        case 1: return IsMailExtension(value);
        case 2:
        case 3: return true;
        case 4: return Must(Globals::Options()).AllowEditMessages();
        default: return false;
    }
}

std::string Addin::IMessengerFactory_LocalName() { return Tools::GetText("MessengerDisplayName"); }
std::string Addin::IMessengerFactory_Name() { return Tools::GetText("MessengerName"); }
Ptr<kelo::IMessenger> Addin::IMessengerFactory_Create() { return std::make_shared<Messenger>(); }

}  // namespace ostrellix::addin
