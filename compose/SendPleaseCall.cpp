#include "compose/SendPleaseCall.h"

#include <initializer_list>

#include "compose/DetailHtml.h"
#include "contracts/kelo/Codes.h"
#include "core/Tools.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

// Field type or label codes that make a class one of contacts.
constexpr std::int32_t kContactCodes[] = {14, 33, 13, 15, 3};

// The contact data a block shows, a line per kind, by field label code in
// the order the values are listed.
const std::initializer_list<std::initializer_list<std::int32_t>> kContactLines = {
    {14, 15, 13, 33},  // phone, mobile, home phone, other phone
    {23, 24},          // e-mail addresses
    {20},              // business address
};

bool IsContactCode(std::int32_t code) {
    for (const std::int32_t contact : kContactCodes) {
        if (code == contact) return true;
    }
    return false;
}

}  // namespace

SendPleaseCall::SendPleaseCall()
    : DetailMail({.caption = "CollectingDetails", .text = "WorkingCaption", .trap = "SendPleaseCall.m_WorkDialog_Work"}) {}

void SendPleaseCall::SendPleaseCallFromContext(const Ptr<kelo::IApplication>& application,
                                               std::string_view recipient, const ObjectPtr& context) {
    FromContext(application, recipient, context);
}

bool SendPleaseCall::IsContactClass(const Ptr<kelo::IClass>& cls) {
    const std::int32_t label = cls->Label();
    if (label == kelo::classlabel::Company || label == kelo::classlabel::Person ||
        label == kelo::classlabel::Coworker) {
        return true;
    }
    const auto fields = cls->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (IsContactCode(field->Type()) || IsContactCode(field->Label())) return true;
    }
    return false;
}

void SendPleaseCall::AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& /*mail*/) {
    const bool firstRecord = !first_;
    if (firstRecord) {
        first_ = record;
        contacts_ = IsContactClass(record->Class());
    }
    Ptr<kelo::IRecord> contact = record;
    if (!contacts_) {
        const auto related = RelatedContacts(record);
        if (!related.empty()) contact = related.front();
    }
    if (firstRecord) {
        // A record about a call may name the one to call in its name field.
        contactName_ = contacts_ ? Name(record) : NameField(record);
        if (contactName_.empty() && contact != record) contactName_ = Name(contact);
    }
    blocks_ += ContactBlock(contact);
    links_ += DetailHtml::Block(
        DetailHtml::LinkListEntry(Link(record), Description(record), NamesOf(record->Class()).singular));
}

std::string SendPleaseCall::ContactBlock(const Ptr<kelo::IRecord>& contact) {
    std::string html = DetailHtml::RecordLink(Link(contact), Description(contact));
    for (const auto& other : RelatedContacts(contact)) html += DetailHtml::RelatedLink(Link(other), Description(other));
    const auto fields = contact->Class()->Fields();
    for (const auto& labels : kContactLines) {
        std::string line;
        bool first = true;
        for (const std::int32_t label : labels) {
            for (std::int32_t i = 1; i <= fields->Count(); ++i) {
                const auto field = fields->Item(i);
                if (field->Label() != label) continue;
                const std::string value = text::Trim(contact->Text(field->Name()));
                if (value.empty()) continue;
                if (first) line = DetailHtml::LabelStart(field->LocalName());
                line += DetailHtml::LabelValue(value, first);
                first = false;
            }
        }
        if (!line.empty()) html += DetailHtml::Block(line);
    }
    return DetailHtml::Block(html);
}

std::string SendPleaseCall::Subject(std::int32_t count) {
    const ClassNames names = NamesOf(first_ ? first_->Class() : nullptr);
    const std::string start = Tools::GetText("PleaseCall_Short") + ": ";
    if (contacts_ && count > 1) return start + std::to_string(count) + " " + names.plural;
    if (count == 1 && !contactName_.empty()) return start + contactName_;
    const std::string regarding = start + Tools::GetText("Regarding_Short") + ": ";
    if (count == 1) return regarding + names.singular + " " + Description(first_);
    return regarding + std::to_string(count) + " " + names.plural;
}

void SendPleaseCall::Finish(const Ptr<outlook::IMailItem>& mail, std::int32_t count, bool /*fromRecordWindow*/) {
    std::string html = DetailHtml::ParagraphStart();
    if (contacts_) {
        html += Tools::GetText("PleaseCall") + ": </p>";
    } else {
        html += Tools::GetText("PleaseCallRegarding") + ":</p>";
        if (count == 1) html += DetailHtml::Quote(first_->Descriptive());
    }
    html += blocks_ + DetailHtml::LinkSection(Tools::GetText(count == 1 ? "KeloLink" : "KeloLinks"), links_);
    mail->SetHTMLBody(html);
    mail->SetSubject(Subject(count));
}

}  // namespace ostrellix::addin
