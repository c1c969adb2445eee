#include "standins/mapi/Message.h"

#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/mapi/AddressEntry.h"
#include "standins/mapi/AppointmentMessage.h"
#include "standins/mapi/Attachments.h"
#include "standins/mapi/ContactMessage.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/FileImport.h"
#include "standins/mapi/Folder.h"
#include "standins/mapi/MessageBody.h"
#include "standins/mapi/MessageParties.h"
#include "standins/mapi/Recipients.h"
#include "standins/mapi/TaskMessage.h"
#include "standins/mapi/UserProperties.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MailItem.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/OutlookProperty.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::mapi {

namespace {

namespace tag = msg::tag;
namespace pt = msg::pt;

bool HasClass(const std::string& messageClass, std::string_view kind) {
    return text::EqualsIgnoreCase(messageClass.substr(0, kind.size()), kind);
}

}  // namespace

Ptr<Message> Message::Open(Ptr<MessageState> state) {
    const std::string messageClass = state->Read().properties.GetValue(tag::PR_MESSAGE_CLASS).ToString();
    if (HasClass(messageClass, "IPM.Appointment")) return std::make_shared<AppointmentMessage>(std::move(state));
    if (HasClass(messageClass, "IPM.Task")) return std::make_shared<TaskMessage>(std::move(state));
    if (HasClass(messageClass, "IPM.Contact")) return std::make_shared<ContactMessage>(std::move(state));
    return std::make_shared<Message>(std::move(state));
}

// ---- properties ----

std::string Message::Text(std::uint32_t tag) { return Properties().GetValue(tag).ToString(); }

Date Message::DateOf(std::uint32_t tag) {
    const Variant value = Properties().GetValue(tag);
    return value.IsEmpty() ? ol::kNoDate : value.ToDate();
}

Variant Message::OutlookValue(std::string_view name) {
    return outlook::OutlookProperty::Get(name).ValueIn(Properties());
}

std::string Message::MessageClass() { return Text(tag::PR_MESSAGE_CLASS); }

void Message::SetMessageClass(std::string_view messageClass) {
    state_->Edit().properties.Set(tag::PR_MESSAGE_CLASS, Variant(messageClass));
}

std::string Message::Subject() { return Text(tag::PR_SUBJECT); }

void Message::SetSubject(std::string_view subject) {
    msg::PropertyBag& bag = state_->Edit().properties;
    bag.Set(tag::PR_SUBJECT, Variant(subject));
    // Parts of the subject a file may have brought along would no longer match it.
    bag.Remove(tag::PR_SUBJECT_PREFIX);
    bag.Remove(tag::PR_NORMALIZED_SUBJECT);
}

std::string Message::Body() { return MessageBody::Plain(Properties()); }

void Message::SetBody(std::string_view body) { MessageBody::SetPlain(state_->Edit().properties, body); }

std::string Message::HTMLBody() { return MessageBody::Html(Properties()); }

void Message::SetHTMLBody(std::string_view html) { MessageBody::SetHtml(state_->Edit().properties, html); }

std::string Message::RtfBody() { return MessageBody::Rtf(Properties()); }

void Message::SetRtfBody(std::string_view rtf) { MessageBody::SetRtf(state_->Edit().properties, rtf); }

std::int32_t Message::BodyFormat() { return MessageBody::Format(Properties()); }

std::string Message::To() { return Text(tag::PR_DISPLAY_TO); }

void Message::SetTo(std::string_view to) { outlook::RecipientTable::SetLine(state_->Edit(), ol::olTo, to); }

std::string Message::CC() { return Text(tag::PR_DISPLAY_CC); }

void Message::SetCC(std::string_view cc) { outlook::RecipientTable::SetLine(state_->Edit(), ol::olCC, cc); }

std::string Message::BCC() { return Text(tag::PR_DISPLAY_BCC); }

void Message::SetBCC(std::string_view bcc) { outlook::RecipientTable::SetLine(state_->Edit(), ol::olBCC, bcc); }

std::string Message::SenderName() { return Text(tag::PR_SENDER_NAME); }

Ptr<api::IAddressEntry> Message::Sender() {
    const auto entry = MessageParties::Sender(Properties(), state_->Link()->Profile().Book());
    if (!entry) return nullptr;
    return std::make_shared<AddressEntry>(state_->Link(), *entry);
}

void Message::SetSender(const Ptr<api::IAddressEntry>& sender) {
    msg::PropertyBag& bag = state_->Edit().properties;
    if (sender) return outlook::AddressBook::FillSender(bag, MessageParties::FromEntry(*sender));
    for (const std::uint32_t property : {tag::PR_SENDER_NAME, tag::PR_SENDER_EMAIL_ADDRESS, tag::PR_SENDER_ADDRTYPE,
                                         tag::PR_SENDER_SMTP_ADDRESS, names::tag::PR_SENDER_ENTRYID}) {
        bag.Remove(property);
    }
}

Ptr<api::IAddressEntry> Message::SentOnBehalfOf() {
    const auto entry = MessageParties::Representing(Properties(), state_->Link()->Profile().Book());
    if (!entry) return nullptr;
    return std::make_shared<AddressEntry>(state_->Link(), *entry);
}

std::string Message::SentOnBehalfOfName() { return Text(tag::PR_SENT_REPRESENTING_NAME); }

void Message::SetSentOnBehalfOfName(std::string_view name) {
    msg::PropertyBag& bag = state_->Edit().properties;
    if (name.empty()) {
        bag.Remove(tag::PR_SENT_REPRESENTING_NAME);
    } else {
        bag.Set(tag::PR_SENT_REPRESENTING_NAME, Variant(name));
    }
}

std::string Message::ReceivedByName() { return Text(tag::PR_RECEIVED_BY_NAME); }

bool Message::Sent() {
    const Variant flags = Properties().GetValue(tag::PR_MESSAGE_FLAGS);
    return !flags.IsEmpty() && (flags.ToLong() & msg::MSGFLAG_UNSENT) == 0;
}

void Message::SetSent(bool sent) {
    msg::PropertyBag& bag = state_->Edit().properties;
    const Variant flags = bag.GetValue(tag::PR_MESSAGE_FLAGS);
    const std::int32_t now = flags.IsEmpty() ? msg::MSGFLAG_READ : flags.ToLong();
    bag.Set(tag::PR_MESSAGE_FLAGS, Variant(static_cast<int>(sent ? now & ~msg::MSGFLAG_UNSENT : now | msg::MSGFLAG_UNSENT)));
}

Date Message::SentOn() { return DateOf(tag::PR_CLIENT_SUBMIT_TIME); }

void Message::SetSentOn(Date date) {
    msg::PropertyBag& bag = state_->Edit().properties;
    if (date == ol::kNoDate) {
        bag.Remove(tag::PR_CLIENT_SUBMIT_TIME);
    } else {
        bag.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(date));
    }
}

Date Message::ReceivedTime() { return DateOf(tag::PR_MESSAGE_DELIVERY_TIME); }

bool Message::DeleteAfterSubmit() { return Properties().GetValue(names::tag::PR_DELETE_AFTER_SUBMIT).ToBoolean(); }

void Message::SetDeleteAfterSubmit(bool value) {
    state_->Edit().properties.Set(names::tag::PR_DELETE_AFTER_SUBMIT, Variant(value));
}

Ptr<api::IRecipients> Message::Recipients() {
    state_->Read();
    return std::make_shared<mapi::Recipients>(state_);
}

Ptr<api::IAttachments> Message::Attachments() {
    state_->Read();
    return std::make_shared<mapi::Attachments>(state_);
}

Ptr<ol::IUserProperties> Message::UserProperties() {
    state_->Read();
    return std::make_shared<mapi::UserProperties>(state_);
}

Ptr<ol::IPropertyAccessor> Message::PropertyAccessor() {
    state_->Read();
    const Ptr<MessageState> state = state_;
    return state->Link()->Accessor([state]() -> const msg::PropertyBag& { return state->Read().properties; },
                                   [state]() -> msg::PropertyBag& { return state->Edit().properties; });
}

// ---- operations ----

void Message::SaveAs(std::string_view path, std::int32_t format) {
    if (format != api::olMSG) {
        errors::Raise(errors::kNoSupport, "Cannot save '" + std::string(path) + "' in the format " +
                                              std::to_string(format) + ": only 3 (message file) is available.");
    }
    msg::MsgWriter::WriteFile(state_->Read(), std::string(path), state_->Link()->FileHost());
}

void Message::Import(std::string_view path, std::int32_t format) {
    if (format == FileImport::kByContent) {
        errors::Raise(errors::kNoSupport, "Cannot import '" + std::string(path) +
                                              "': give its format (3 message file, 1024 or 1031 MIME).");
    }
    msg::MessageData imported = FileImport::Read(std::string(path), format, state_->Link()->FileHost());
    state_->Edit() = std::move(imported);
}

void Message::CopyTo(const Ptr<api::IMessage>& target) {
    const auto other = As<Message>(target);
    if (!other) errors::Raise(errors::kInvalidArgument, "CopyTo needs a message of this library.");
    msg::MessageData copy = state_->Read();
    other->state_->Edit() = std::move(copy);
}

Ptr<api::IMessage> Message::Move(const Ptr<api::IFolder>& folder) {
    const auto target = As<Folder>(folder);
    if (!target) errors::Raise(errors::kInvalidArgument, "Move needs a folder of this library.");
    const std::string folderId = target->EntryID();
    const auto call = state_->Link()->Entered();
    if (state_->Where() == MessageState::Home::Store) {
        state_->MoveTo(folderId);
        if (!state_->InStore()) state_->Save();
        return SelfAs<api::IMessage>();
    }
    // A message of a file, or one inside another, is stored in the folder as a new message.
    msg::MessageData data = state_->Read();
    outlook::MessageStore& store = state_->Link()->Profile().Store();
    const std::string entryId = store.NewEntryId(folderId);
    const std::int64_t revision = store.Create(folderId, entryId, data);
    return Open(MessageState::Stored(state_->Link(), {entryId, folderId, revision, std::move(data)}));
}

Ptr<api::IMessage> Message::Answer(outlook::MailAnswer::Verb verb) {
    outlook::Profile& profile = state_->Link()->Profile();
    const std::string drafts = profile.Store().DefaultFolder(profile.Mailbox(), ol::olFolderDrafts).entryId;
    msg::MessageData data = outlook::MailItem::NewData();
    const std::string sentOn = Sent() ? SentOn().ToString() : std::string();
    outlook::MailAnswer::Fill(
        data, {state_->Read(), SenderName(), OutlookText("SenderEmailAddress"), sentOn, To(), Body(), HTMLBody()},
        verb, profile.Book());
    return Open(MessageState::Unsaved(state_->Link(), drafts, std::move(data)));
}

Ptr<api::IMessage> Message::Reply() { return Answer(outlook::MailAnswer::Verb::Reply); }

Ptr<api::IMessage> Message::ReplyAll() { return Answer(outlook::MailAnswer::Verb::ReplyAll); }

Ptr<api::IMessage> Message::Forward() { return Answer(outlook::MailAnswer::Verb::Forward); }

void Message::Send() {
    outlook::Profile& profile = state_->Link()->Profile();
    const msg::MessageData data = state_->Read();
    profile.Mailer().Send(data, state_->InStore() ? state_->EntryId() : std::string());
    state_->Gone();
}

void Message::Printout() {
    const std::string subject = Subject();
    state_->Link()->Profile().Print(subject.empty() ? std::string("Untitled") : subject);
}

}  // namespace ostrellix::standin::mapi
