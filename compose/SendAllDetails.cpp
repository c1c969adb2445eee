#include "compose/SendAllDetails.h"

#include "compose/DetailHtml.h"
#include "core/Tools.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

// Field label codes, in the order their lines are written.
constexpr std::int32_t kGroups[] = {20, 34, 14, 15, 13, 6, 33, 10, 21, 23, 24};
constexpr std::int32_t kRelationGroup = 10;
constexpr std::int32_t kWebGroup = 21;

bool IsAddressGroup(std::int32_t label) { return label == 20 || label == 34; }
bool IsMailGroup(std::int32_t label) { return label == 23 || label == 24; }

}  // namespace

SendAllDetails::SendAllDetails()
    : DetailMail({.caption = "CollectingDetails", .text = {}, .trap = "SendAllDetails.m_WorkDialog_Work"}) {}

void SendAllDetails::SendAllDetailsFromContext(const Ptr<kelo::IApplication>& application,
                                               std::string_view recipient, const ObjectPtr& context) {
    FromContext(application, recipient, context);
}

void SendAllDetails::AddRecord(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IMailItem>& /*mail*/) {
    if (!first_) first_ = record;
    const std::string link = Link(record);
    const std::string description = Description(record);
    const auto related = RelatedContacts(record);
    std::string line = DetailHtml::RecordLink(link, description);
    for (const auto& other : related) line += DetailHtml::RelatedLink(Link(other), Description(other));
    blocks_ += DetailHtml::Block(line) + "<br/>";
    std::set<std::string> written;
    blocks_ += Details(record, false, written);
    for (const auto& other : related) blocks_ += Details(other, true, written);
    links_ += DetailHtml::Block(DetailHtml::LinkListEntry(link, description, NamesOf(record->Class()).singular));
}

std::string SendAllDetails::Details(const Ptr<kelo::IRecord>& record, bool related, std::set<std::string>& written) {
    std::string html = DetailHtml::Heading(Name(record), related);
    const auto fields = record->Class()->Fields();
    for (const std::int32_t group : kGroups) {
        for (std::int32_t i = 1; i <= fields->Count(); ++i) {
            const auto field = fields->Item(i);
            if (field->Label() != group) continue;
            std::string value;
            if (group == kRelationGroup) {
                if (const auto linked = record->Linked(field->Name())) value = Name(linked);
            } else {
                value = text::Trim(record->Text(field->Name()));
            }
            if (value.empty() || (IsAddressGroup(group) && written.count(value) > 0)) continue;
            written.insert(value);
            const std::string shown = group == kWebGroup    ? DetailHtml::WebLink(value)
                                      : IsMailGroup(group) ? DetailHtml::MailLink(value)
                                                           : value;
            html += DetailHtml::FieldLine(field->LocalName(), shown);
        }
    }
    return html;
}

void SendAllDetails::Finish(const Ptr<outlook::IMailItem>& mail, std::int32_t count, bool fromRecordWindow) {
    mail->SetHTMLBody(DetailHtml::ParagraphStart() + Tools::GetText("DetailsFromKelo") + ": </p>" + blocks_ +
                      DetailHtml::LinkSection(Tools::GetText(count == 1 ? "KeloLink" : "KeloLinks"), links_));
    mail->SetSubject(Tools::GetText("Details") + ": " +
                     (count == 1 ? first_->Descriptive() : std::to_string(count) + " " + Tools::GetText("contacts")));
    if (fromRecordWindow && first_) AddBusinessCard(mail, first_);
}

}  // namespace ostrellix::addin
