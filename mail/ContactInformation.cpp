#include "mail/ContactInformation.h"

#include "core/Globals.h"
#include "mail/RecordLookup.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

void ContactInformation::BuildRecordInformationFromLabels(const Ptr<kelo::IRecord>& record,
                                                          const std::vector<std::int32_t>& labels, std::string& text) {
    if (!record) return;
    const auto fields = record->Class()->Fields();
    for (const std::int32_t label : labels) {
        const auto field = fields->FindByLabel(label);
        if (!field) continue;
        std::string value = record->Text(field->Name());
        if (value.empty()) continue;
        value = text::Replace(text::Replace(text::Replace(value, "\r\n", ", "), "\r", ", "), "\n", ", ");
        if (!text.empty()) text += ", ";
        text += field->LocalName() + ": " + value;
    }
}

std::string ContactInformation::BuildContactInformation(const Ptr<kelo::IRecord>& company,
                                                        const Ptr<kelo::IRecord>& person) {
    const auto group = [&](const std::vector<std::int32_t>& labels) {
        std::string text;
        BuildRecordInformationFromLabels(person, labels, text);
        BuildRecordInformationFromLabels(company, labels, text);
        return text;
    };
    const std::string phones = group({14, 15, 13});
    const std::string web = group({21, 22, 23, 24});
    const std::string home = group({19});
    const std::string business = group({20});
    const std::string heading =
        JoinNonEmpty({person ? person->Descriptive() : std::string(), company ? company->Descriptive() : std::string()}, ", ");
    return JoinNonEmpty({heading, phones, web, home, business}, "\r\n");
}

std::string ContactInformation::JoinNonEmpty(const std::vector<std::string>& values, std::string_view separator) {
    std::string joined;
    bool first = true;
    for (const std::string& value : values) {
        if (text::Trim(value).empty()) continue;
        if (!first) joined += separator;
        joined += value;
        first = false;
    }
    return joined;
}

void ContactInformation::InitializeItemFromLink(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& link) {
    const auto [company, person] = RecordLookup::FindCompanyAndPersonFromLink(link);
    if (person) Globals::Synchronizer()->SetItemProperty(item, "KeloContact", person->Descriptive());
    const std::string text = BuildContactInformation(company, person);
    if (!text.empty()) item->SetBody(text);
}

}  // namespace ostrellix::addin
