#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "contracts/outlook/IItem.h"

namespace ostrellix::host {

// An Outlook item as the host program shows it: a line in a folder listing
// (EntryID, kind, subject, and the Kelo marks "KeloID", "KeloDatabase",
// "KeloChecksum" that it carries), or in full (the properties of its kind
// that have a value, the start of its body, its attachments, its marks).
class OutlookItemView {
public:
    using Pairs = std::vector<std::pair<std::string, std::string>>;

    explicit OutlookItemView(Ptr<outlook::IItem> item);

    std::string Kind();
    // The Kelo marks present, in the order above.
    Pairs Marks();
    // Properties by their object-model names, dates in the fixed text form.
    Pairs Properties();

    void PrintLine(std::ostream& out);
    // {"entryId", "kind", "subject", "folder", "marks": {name: value}}
    nlohmann::json Summary();
    void PrintDetails(std::ostream& out);
    // Summary and "properties": {name: value}, "body", "attachments": [file names]
    nlohmann::json Details();

    // How much of the body is shown, in characters.
    static constexpr std::size_t kBodyStart = 200;

private:
    std::string BodyStart();
    std::vector<std::string> Attachments();
    std::string FolderName();

    Ptr<outlook::IItem> item_;
};

}  // namespace ostrellix::host
