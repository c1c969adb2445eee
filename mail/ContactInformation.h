#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// The contact block written into new Outlook tasks and appointments made
// from a Kelo record: names, then phones, then addresses on the web, then
// the two postal addresses, each line gathered from the person first and
// the company after.
class ContactInformation {
public:
    // Appends ", <local name>: <value>" for each label whose field has a
    // value (line breaks in values become ", ").
    static void BuildRecordInformationFromLabels(const Ptr<kelo::IRecord>& record,
                                                 const std::vector<std::int32_t>& labels, std::string& text);
    static std::string BuildContactInformation(const Ptr<kelo::IRecord>& company, const Ptr<kelo::IRecord>& person);
    // The values that are not blank, joined by the separator (kept untrimmed).
    static std::string JoinNonEmpty(const std::vector<std::string>& values, std::string_view separator);
    // "KeloContact" and the body of a new item from the record it is made for.
    static void InitializeItemFromLink(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& link);
};

}  // namespace ostrellix::addin
