#include "apps/ostrellix/FileOutcome.h"

#include <ostream>

#include "runtime/Text.h"

namespace ostrellix::host {

namespace {

nlohmann::json TextOrNull(const std::string& text) { return text.empty() ? nlohmann::json() : nlohmann::json(text); }

// Messages of the add-in break lines the platform's way; a result is one line.
std::string OneLine(const std::string& text) { return text::Replace(text::Replace(text, "\r\n", " "), "\n", " "); }

}  // namespace

void FileOutcome::Print(std::ostream& out) const {
    for (const Record& record : records) {
        out << path << ": filed as " << record.className << " " << record.id << " \"" << record.subject
            << "\", person: " << (record.person.empty() ? "none found" : record.person)
            << ", company: " << (record.company.empty() ? "none found" : record.company) << "\n";
    }
    if (failure) out << path << ": not filed: " << OneLine(*failure) << "\n";
}

nlohmann::json FileOutcome::Json() const {
    nlohmann::json object = {{"file", path}, {"filed", Filed()}};
    nlohmann::json& stored = object["records"] = nlohmann::json::array();
    for (const Record& record : records) {
        stored.push_back({{"class", record.className},
                          {"id", record.id},
                          {"subject", record.subject},
                          {"person", TextOrNull(record.person)},
                          {"company", TextOrNull(record.company)}});
    }
    object["messages"] = messages;
    if (failure) object["error"] = OneLine(*failure);
    return object;
}

}  // namespace ostrellix::host
