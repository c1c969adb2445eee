#include "standins/outlook/MailItem.h"

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Attachments.h"
#include "standins/outlook/BodyText.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MailAnswer.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageFiles.h"
#include "standins/outlook/RecipientTable.h"
#include "standins/outlook/Recipients.h"

namespace ostrellix::standin::outlook {

namespace {

namespace tag = msg::tag;

bool Is(std::string_view a, std::string_view b) { return text::EqualsIgnoreCase(a, b); }

}  // namespace

MailItem::MailItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
                   SharedMessage data)
    : Item(std::move(instance), std::move(folderEntryId), std::move(entryId), revision, std::move(data)) {}

msg::MessageData MailItem::NewData() {
    msg::MessageData data;
    data.properties.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    data.properties.Set(tag::PR_MESSAGE_FLAGS, Variant(message::MSGFLAG_UNSENT | message::MSGFLAG_READ));
    data.properties.Set(mapi::tag::PR_NATIVE_BODY_INFO, Variant(mapi::NativeBodyHtml));
    RecipientTable::UpdateDisplayLines(data);
    return data;
}

std::string MailItem::WindowKind() {
    switch (BodyFormat()) {
        case ol::olFormatPlain: return "Message (Plain Text)";
        case ol::olFormatRichText: return "Message (Rich Text)";
        default: return "Message (HTML)";
    }
}

void MailItem::BeforeStore(msg::MessageData& data) { RecipientTable::UpdateDisplayLines(data); }

// ---- bodies ----

void MailItem::SetBody(std::string_view body) {
    const bool html = BodyFormat() == ol::olFormatHTML;
    msg::PropertyBag& bag = Edit().properties;
    bag.Set(tag::PR_BODY, Variant(body));
    if (html) bag.Set(tag::PR_BODY_HTML, Variant(BodyText::ToHtml(body)));
}

std::string MailItem::HTMLBody() {
    if (auto html = BodyText::StoredHtml(Read().properties)) return std::move(*html);
    return BodyText::ToHtml(Body());
}

void MailItem::SetHTMLBody(std::string_view html) {
    msg::PropertyBag& bag = Edit().properties;
    bag.Set(tag::PR_BODY_HTML, Variant(html));
    bag.Set(tag::PR_BODY, Variant(BodyText::FromHtml(html)));
    bag.Set(mapi::tag::PR_NATIVE_BODY_INFO, Variant(mapi::NativeBodyHtml));
}

std::int32_t MailItem::BodyFormat() {
    const msg::PropertyBag& bag = Read().properties;
    const Variant native = bag.GetValue(mapi::tag::PR_NATIVE_BODY_INFO);
    const std::int32_t value =
        native.IsEmpty() ? (bag.Get(tag::PR_BODY_HTML) ? mapi::NativeBodyHtml : mapi::NativeBodyPlain) : native.ToLong();
    if (value == mapi::NativeBodyHtml) return ol::olFormatHTML;
    if (value == mapi::NativeBodyRtf) return ol::olFormatRichText;
    return ol::olFormatPlain;
}

void MailItem::SetBodyFormat(std::int32_t format) {
    const std::string body = Body();
    msg::PropertyBag& bag = Edit().properties;
    switch (format) {
        case ol::olFormatPlain:
            bag.Set(mapi::tag::PR_NATIVE_BODY_INFO, Variant(mapi::NativeBodyPlain));
            bag.Remove(tag::PR_BODY_HTML);
            break;
        case ol::olFormatHTML:
            bag.Set(mapi::tag::PR_NATIVE_BODY_INFO, Variant(mapi::NativeBodyHtml));
            if (!bag.Get(tag::PR_BODY_HTML)) bag.Set(tag::PR_BODY_HTML, Variant(BodyText::ToHtml(body)));
            break;
        case ol::olFormatRichText: bag.Set(mapi::tag::PR_NATIVE_BODY_INFO, Variant(mapi::NativeBodyRtf)); break;
        default: errors::Raise(errors::kInvalidArgument, "The body format " + std::to_string(format) + " does not exist.");
    }
}

// ---- addressing ----

Ptr<ol::IRecipients> MailItem::Recipients() {
    CheckUsable();
    return std::make_shared<outlook::Recipients>(SelfAs<Item>());
}

std::string MailItem::To() { return Value(OutlookProperty::Get("To")).ToString(); }

void MailItem::SetTo(std::string_view to) { RecipientTable::SetLine(Edit(), ol::olTo, to); }

std::string MailItem::CC() { return Value(OutlookProperty::Get("CC")).ToString(); }

void MailItem::SetCC(std::string_view cc) { RecipientTable::SetLine(Edit(), ol::olCC, cc); }

std::string MailItem::BCC() { return Value(OutlookProperty::Get("BCC")).ToString(); }

void MailItem::SetBCC(std::string_view bcc) { RecipientTable::SetLine(Edit(), ol::olBCC, bcc); }

bool MailItem::Sent() {
    const Variant flags = Read().properties.GetValue(tag::PR_MESSAGE_FLAGS);
    return !flags.IsEmpty() && (flags.ToLong() & message::MSGFLAG_UNSENT) == 0;
}

Date MailItem::SentOn() { return Value(OutlookProperty::Get("SentOn")).ToDate(); }

Date MailItem::ReceivedTime() { return Value(OutlookProperty::Get("ReceivedTime")).ToDate(); }

std::string MailItem::SenderName() { return Value(OutlookProperty::Get("SenderName")).ToString(); }

std::string MailItem::SenderEmailAddress() { return Value(OutlookProperty::Get("SenderEmailAddress")).ToString(); }

std::string MailItem::SentOnBehalfOfName() { return Value(OutlookProperty::Get("SentOnBehalfOfName")).ToString(); }

void MailItem::SetSentOnBehalfOfName(std::string_view name) {
    Put(OutlookProperty::Get("SentOnBehalfOfName"), name.empty() ? Variant() : Variant(name));
}

bool MailItem::DeleteAfterSubmit() { return Value(OutlookProperty::Get("DeleteAfterSubmit")).ToBoolean(); }

void MailItem::SetDeleteAfterSubmit(bool value) { Put(OutlookProperty::Get("DeleteAfterSubmit"), Variant(value)); }

// ---- operations ----

void MailItem::Send() {
    const auto call = Entered();
    if (Sent()) errors::Raise(errors::kFailed, "The item has already been sent.");
    // Names are checked before anyone hears of the sending: a mail that
    // cannot go raises no Send.
    if (!Recipients()->ResolveAll()) errors::Raise(errors::kFailed, "Outlook does not recognize one or more names.");
    bool cancel = false;
    Events().Send.Raise(cancel);
    if (cancel) return;
    CheckUsable();
    msg::MessageData data = Read();
    BeforeStore(data);
    // The mail in Sent Items is another object: the folders' events of the
    // sending must not hand out this one, which is done with after it.
    Instance& outlook = Outlook();
    const std::string id = StoredId();
    if (!id.empty()) outlook.Forget(id, this);
    PassOn([&] { outlook.Mailer().Send(std::move(data), id); },
           [&] {
               if (!id.empty()) outlook.Remember(id, SelfAs<Item>());
           });
    FinishSending(true);
}

Ptr<ol::IMailItem> MailItem::Answer(MailAnswer::Verb verb) {
    const msg::MessageData original = Read();
    Instance& outlook = Outlook();
    const std::string drafts = outlook.Store().DefaultFolder(outlook.Mailbox(), ol::olFolderDrafts).entryId;
    auto answer = As<MailItem>(outlook.NewItem(ol::olMailItem, drafts));
    MailAnswer::Fill(answer->Edit(),
                     {original, SenderName(), SenderEmailAddress(), Sent() ? SentOn().ToString() : std::string(), To(),
                      Body(), HTMLBody()},
                     verb, outlook.Book());
    return answer;
}

Ptr<ol::IMailItem> MailItem::Reply() { return Answer(MailAnswer::Verb::Reply); }

Ptr<ol::IMailItem> MailItem::ReplyAll() { return Answer(MailAnswer::Verb::ReplyAll); }

Ptr<ol::IMailItem> MailItem::Forward() { return Answer(MailAnswer::Verb::Forward); }

void MailItem::SaveAs(std::string_view path, std::int32_t format) {
    CheckUsable();
    if (format != ol::olMSG && format != 9) {
        errors::Raise(errors::kInvalidArgument,
                      "Saving a mail in the format " + std::to_string(format) + " is not available.");
    }
    Outlook().Files("MailItem.SaveAs").WriteMsg(Read(), std::string(path), Outlook().FileHost());
}

void MailItem::AddBusinessCard(const Ptr<ol::IContactItem>& contact) {
    CheckUsable();
    const auto card = As<Item>(contact);
    if (!card) errors::Raise(errors::kInvalidArgument, "AddBusinessCard needs a contact of this Outlook.");
    const std::string vcard = Outlook().Files("MailItem.AddBusinessCard").ContactVcard(card->Read());
    const std::string name = (contact->FullName().empty() ? std::string("Contact") : contact->FullName()) + ".vcf";
    msg::AttachmentData attachment = outlook::Attachments::FileAttachment(name, Bytes(vcard.begin(), vcard.end()));
    attachment.properties.Set(tag::PR_ATTACH_MIME_TAG, Variant("text/x-vcard"));
    outlook::Attachments::Append(Edit(), std::move(attachment));
}

// ---- late binding ----

bool MailItem::SetSpecial(std::string_view name, const Variant& value) {
    if (Is(name, "To")) {
        SetTo(value.ToString());
    } else if (Is(name, "CC")) {
        SetCC(value.ToString());
    } else if (Is(name, "BCC")) {
        SetBCC(value.ToString());
    } else if (Is(name, "Body")) {
        SetBody(value.ToString());
    } else if (Is(name, "HTMLBody")) {
        SetHTMLBody(value.ToString());
    } else if (Is(name, "BodyFormat")) {
        SetBodyFormat(value.ToLong());
    } else {
        return false;
    }
    return true;
}

std::optional<Variant> MailItem::GetSpecial(std::string_view name) {
    if (Is(name, "Sent")) return Variant(Sent());
    if (Is(name, "BodyFormat")) return Variant(static_cast<int>(BodyFormat()));
    if (Is(name, "HTMLBody")) return Variant(HTMLBody());
    return std::nullopt;
}

std::optional<Variant> MailItem::InvokeSpecial(std::string_view member, const std::vector<Variant>& arguments) {
    if (Is(member, "Send")) {
        Send();
        return Variant();
    }
    if (Is(member, "Reply")) return Variant(Reply());
    if (Is(member, "ReplyAll")) return Variant(ReplyAll());
    if (Is(member, "Forward")) return Variant(Forward());
    if (Is(member, "SaveAs") && !arguments.empty()) {
        SaveAs(arguments[0].ToString(), arguments.size() > 1 ? arguments[1].ToLong() : ol::olMSG);
        return Variant();
    }
    if (Is(member, "AddBusinessCard") && arguments.size() == 1) {
        AddBusinessCard(arguments[0].ToObjectAs<ol::IContactItem>());
        return Variant();
    }
    return std::nullopt;
}

}  // namespace ostrellix::standin::outlook
