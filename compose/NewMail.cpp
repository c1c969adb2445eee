#include "compose/NewMail.h"

#include "compose/RecipientLines.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IFiles.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "mail/OutboxListener.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kItemNotImplemented = 1001;

// The mailbox as its text: an address entry counts by its display name.
std::string MailboxText(const Variant& value) {
    if (!value.IsObject()) return value.ToString();
    const auto entry = value.ToObjectAs<mapi::IAddressEntry>();
    return entry ? entry->Name() : std::string();
}

bool HoldsMailbox(const Variant& value) {
    return value.IsString() || (value.IsObject() && value.ToObjectAs<mapi::IAddressEntry>());
}

ObjectPtr ContextObject(const Variant& context) { return context.IsObject() ? context.ToObject() : nullptr; }

}  // namespace

NewMail::NewMail() {
    const auto application = Globals::Application();
    if (const auto inspector = application->ActiveInspector()) {
        context_ = Variant(inspector);
    } else if (const auto explorer = application->ActiveExplorer()) {
        context_ = Variant(explorer);
    }
    ComputeSaveMode();
    IgnoreErrors([&] {
        const std::string mailbox = Must(Globals::Options()).SendOnBehalfOf();
        if (mailbox.empty()) return;
        if (const auto entry = Globals::Redemption()->AddressBook()->ResolveName(mailbox)) {
            sentOnBehalfOf_ = Variant(entry);
        }
    });
}

void NewMail::SetItem(const ObjectPtr& /*item*/) { Raise(kItemNotImplemented, "NewMail.Item", "Not Implemented"); }

void NewMail::SetContext(const Variant& value) {
    if (value.IsEmpty() || value.IsNull() || value.IsNothing()) return;
    context_ = value;
    ComputeSaveMode();
}

void NewMail::ComputeSaveMode() {
    Ptr<kelo::IClass> cls;
    const ObjectPtr context = ContextObject(context_);
    if (const auto explorer = As<kelo::IExplorer>(context)) cls = explorer->Class();
    if (const auto inspector = As<kelo::IInspector>(context)) cls = inspector->Class();
    if (const auto record = As<kelo::IRecord>(context)) cls = record->Class();
    switch (Must(Globals::Options()).GetSaveOutgoingMailModeForClass(cls)) {
        case 0: askBeforeSave_ = false, dontSave_ = true; break;
        case 1: askBeforeSave_ = true, dontSave_ = false; break;
        case 2: askBeforeSave_ = false, dontSave_ = false; break;
        default: break;
    }
}

void NewMail::SetRecipients(const Variant& value) {
    if (value.IsNothing()) return;
    recipients_ = value;
}

void NewMail::SetSubject(const Variant& value) {
    subject_ = value.IsString() && value.ToString().empty() ? Variant() : value;
}

// ---- the starting item ----

void NewMail::CreateItem(ObjectPtr& item) { Create(item); }

bool NewMail::Create(ObjectPtr& item) {
    if (!Must(Globals::Addin()).OnNewOutgoingMail(shared_from_this(), ContextObject(context_))) return false;
    item = nullptr;
    const auto application = Globals::Application();
    const std::string path = template_.IsEmpty() ? std::string() : template_.ToString();
    if (application->Utility()->FileExists(path)) {
        const auto session = Globals::Redemption();
        const auto message = session->GetMessageFromMsgFile(path, false);
        const auto draft = message->Move(session->GetDefaultFolder(outlook::olFolderDrafts));
        item = Globals::Outlook()->Session()->GetItemFromID(draft->EntryID());
    } else if (Must(Globals::Options()).AttachBusinessCard()) {
        const auto user = application->ActiveUser();
        if (const auto coworker = user ? user->Record() : nullptr) {
            const auto contact = Cast<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
            Globals::Synchronizer()->UpdateContactItemFromRecord(contact, coworker);
            const auto card = contact->ForwardAsVcard();
            card->SetSubject("");
            item = card;
        }
    }
    if (!item) item = Globals::Outlook()->CreateItem(outlook::olMailItem);
    return true;
}

void NewMail::MakeOutlookItem(ObjectPtr& item) {
    const auto message = As<mapi::IMessage>(item);
    if (!message) return;
    message->Save();
    item = Globals::Outlook()->Session()->GetItemFromID(message->EntryID());
}

void NewMail::MakeRedemptionItem(ObjectPtr& item) {
    const auto mail = As<outlook::IMailItem>(item);
    if (!mail) return;
    mail->Save();
    item = Globals::Redemption()->GetMessageFromID(mail->EntryID());
}

void NewMail::MakeReplyItem(ObjectPtr& item) { MakeAnswer(item, DraftMail::Verb::Reply); }
void NewMail::MakeReplyAllItem(ObjectPtr& item) { MakeAnswer(item, DraftMail::Verb::ReplyAll); }
void NewMail::MakeForwardItem(ObjectPtr& item) { MakeAnswer(item, DraftMail::Verb::Forward); }

void NewMail::MakeAnswer(ObjectPtr& item, DraftMail::Verb verb) {
    if (DraftMail(item).Sent()) {
        MakeOutlookItem(item);
    } else {
        MakeRedemptionItem(item);
    }
    ObjectPtr answer;
    if (item) answer = DraftMail(item).Answer(verb);
    // The answered message is the Drafts copy of the template file: it must not stay there.
    IgnoreErrors([&] { Globals::Redemption()->GetMessageFromID(DraftMail(item).EntryID())->Delete(); });
    item = answer;
}

// ---- filling ----

void NewMail::InitializeItem(ObjectPtr& item) {
    // An RTF body can only be set on the MAPI library's message.
    if (item && !rtfBody_.IsEmpty()) MakeRedemptionItem(item);
    if (item) {
        InitializeSubject(item);
        InitializeRecipients(item);
        InitializeBody(item);
        InitializeAttachments(item);
        InitializeSentOnBehalfOf(item);
    }
    MakeOutlookItem(item);
}

void NewMail::InitializeSubject(ObjectPtr& item) {
    if (subject_.IsString()) DraftMail(item).SetSubject(subject_.ToString());
}

void NewMail::InitializeSentOnBehalfOf(ObjectPtr& item) {
    if (HoldsMailbox(sentOnBehalfOf_)) DraftMail(item).SetSentOnBehalfOfName(MailboxText(sentOnBehalfOf_));
}

void NewMail::InitializeRecipients(ObjectPtr& item) {
    const RecipientLines lines(recipients_);
    if (!lines.Given()) return;
    DraftMail mail(item);
    for (const std::int32_t type : {outlook::olTo, outlook::olCC, outlook::olBCC}) {
        mail.SetRecipientLine(type, lines.Line(type));
    }
}

void NewMail::InitializeAttachments(ObjectPtr& item) {
    DraftMail mail(item);
    if (attachments_.IsArray()) {
        for (const Variant& path : attachments_.ToArray()) mail.AddAttachment(path.ToString(), path.ToString());
    } else if (attachments_.IsString()) {
        mail.AddAttachment(attachments_.ToString(), {});
    } else if (const auto files = attachments_.IsObject() ? attachments_.ToObjectAs<kelo::IFiles>() : nullptr) {
        for (std::int32_t i = 1; i <= files->Count(); ++i) {
            const auto file = files->Item(i);
            mail.AddAttachment(file->Filename(), file->DisplayValue());
        }
    }
}

void NewMail::InitializeBody(ObjectPtr& item) {
    // The first member that holds text wins, even the empty text, which then writes nothing.
    DraftMail mail(item);
    if (body_.IsString()) {
        if (!body_.ToString().empty()) mail.SetBody(body_.ToString());
    } else if (htmlBody_.IsString()) {
        if (!htmlBody_.ToString().empty()) mail.SetHTMLBody(htmlBody_.ToString());
    } else if (rtfBody_.IsString()) {
        if (!rtfBody_.ToString().empty()) mail.SetRtfBody(rtfBody_.ToString());
    }
}

// ---- showing and sending ----

void NewMail::DisplayItem(ObjectPtr& item) {
    PrepareForSending(item);
    Cast<outlook::IItem>(item)->Display();
}

void NewMail::SendItem(ObjectPtr& item) {
    MakeRedemptionItem(item);
    Cast<mapi::IMessage>(item)->Send();
    IgnoreErrors([] { Globals::Outlook()->GetNamespace("MAPI")->SendAndReceive(false); });
}

void NewMail::PrepareForSending(ObjectPtr& item) {
    MakeOutlookItem(item);
    const auto mail = As<outlook::IMailItem>(item);
    IgnoreErrors([&] { RemoveSender(item); });
    IgnoreErrors([&] {
        const auto guid = Cast<outlook::IItem>(item)->UserProperties()->Add("GUID", outlook::olText);
        guid->SetValue(Variant(Globals::Application()->Utility()->NewGuid()));
    });
    const auto listener = std::make_shared<OutboxListener>();
    listener->SetItem(mail);
    listener->SetContext(context_);
    listener->SetAskBeforeSave(askBeforeSave_);
    listener->SetNewMail(true);
    listener->SetDontSave(dontSave_);
    bool open = false;
    IgnoreErrors([&] { open = IsOpen(Must(mail).EntryID()); });
    listener->SetAlreadyOpen(open);
}

void NewMail::RemoveSender(const ObjectPtr& item) {
    const auto mail = Cast<outlook::IMailItem>(item);
    std::string sender = mail->SentOnBehalfOfName();
    if (sender.empty()) sender = mail->SenderEmailAddress();
    if (sender.empty()) return;
    const auto recipients = mail->Recipients();
    IgnoreErrors([&] { recipients->ResolveAll(); });
    // From the last, so that removing one does not move those still to be seen.
    for (std::int32_t i = recipients->Count(); i >= 1; --i) {
        IgnoreErrors([&] {
            if (recipients->Item(i)->Address() == sender) recipients->Remove(i);
        });
    }
}

bool NewMail::IsOpen(const std::string& entryId) {
    if (entryId.empty()) return false;
    const auto inspectors = Globals::Outlook()->Inspectors();
    for (std::int32_t i = 1; i <= inspectors->Count(); ++i) {
        const auto shown = inspectors->Item(i)->CurrentItem();
        if (shown && shown->EntryID() == entryId) return true;
    }
    return false;
}

// ---- verbs ----

void NewMail::Display() {
    ObjectPtr item;
    if (!Create(item)) return;
    InitializeItem(item);
    if ((flags_ & kDisplay) != 0) {
        DisplayItem(item);
    } else {
        PrepareForSending(item);
        SendItem(item);
    }
}

void NewMail::Send() {
    ObjectPtr item;
    if (!Create(item)) return;
    InitializeItem(item);
    SendItem(item);
}

void NewMail::Reply() { Answer(DraftMail::Verb::Reply); }
void NewMail::ReplyAll() { Answer(DraftMail::Verb::ReplyAll); }
void NewMail::Forward() { Answer(DraftMail::Verb::Forward); }

void NewMail::Answer(DraftMail::Verb verb) {
    ObjectPtr item;
    if (!Create(item)) return;
    MakeAnswer(item, verb);
    InitializeItem(item);
    DisplayItem(item);
}

}  // namespace ostrellix::addin
