#include "compose/DraftMail.h"

#include "contracts/outlook/Constants.h"
#include "runtime/ComError.h"

namespace ostrellix::addin {

DraftMail::DraftMail(const ObjectPtr& item) : mail_(As<outlook::IMailItem>(item)), message_(As<mapi::IMessage>(item)) {
    if (!mail_ && !message_) Unsupported();
}

void DraftMail::Unsupported() { RaiseRuntimeError(errors::NotSupported); }

bool DraftMail::Sent() { return mail_ ? mail_->Sent() : message_->Sent(); }

std::string DraftMail::EntryID() { return mail_ ? mail_->EntryID() : message_->EntryID(); }

void DraftMail::SetSubject(std::string_view subject) {
    if (mail_) return mail_->SetSubject(subject);
    message_->SetSubject(subject);
}

void DraftMail::SetRecipientLine(std::int32_t type, std::string_view line) {
    switch (type) {
        case outlook::olTo: return mail_ ? mail_->SetTo(line) : message_->SetTo(line);
        case outlook::olCC: return mail_ ? mail_->SetCC(line) : message_->SetCC(line);
        case outlook::olBCC: return mail_ ? mail_->SetBCC(line) : message_->SetBCC(line);
        default: Unsupported();
    }
}

void DraftMail::SetBody(std::string_view body) {
    if (mail_) return mail_->SetBody(body);
    message_->SetBody(body);
}

void DraftMail::SetHTMLBody(std::string_view html) {
    if (mail_) return mail_->SetHTMLBody(html);
    message_->SetHTMLBody(html);
}

void DraftMail::SetRtfBody(std::string_view rtf) {
    if (!message_) Unsupported();
    message_->SetRtfBody(rtf);
}

void DraftMail::AddAttachment(const std::string& source, std::string_view displayName) {
    // Type and position are left to their defaults: a file by value, no place in the body.
    if (mail_) {
        mail_->Attachments()->Add(Variant(source), outlook::olByValue, 0, displayName);
    } else {
        message_->Attachments()->Add(Variant(source), outlook::olByValue, 0, displayName);
    }
}

void DraftMail::SetSentOnBehalfOfName(std::string_view name) {
    if (mail_) return mail_->SetSentOnBehalfOfName(name);
    message_->SetSentOnBehalfOfName(name);
}

ObjectPtr DraftMail::Answer(Verb verb) {
    switch (verb) {
        case Verb::Reply: return mail_ ? ObjectPtr(mail_->Reply()) : ObjectPtr(message_->Reply());
        case Verb::ReplyAll: return mail_ ? ObjectPtr(mail_->ReplyAll()) : ObjectPtr(message_->ReplyAll());
        case Verb::Forward: return mail_ ? ObjectPtr(mail_->Forward()) : ObjectPtr(message_->Forward());
    }
    Unsupported();
}

}  // namespace ostrellix::addin
