#pragma once

#include <cstdint>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace ostrellix::host {

// What filing one file came to: the records stored from it, the messages
// the add-in showed on the way, and, when it was not filed, why. Told as
// text lines for a person or as one JSON object for a script.
struct FileOutcome {
    struct Record {
        std::string className;
        std::int32_t id = 0;
        std::string subject;
        std::string person;   // descriptive texts; empty when none was linked
        std::string company;
    };

    std::string path;
    std::vector<Record> records;
    std::vector<std::string> messages;
    std::optional<std::string> failure;

    bool Filed() const { return !failure; }
    // A line per record stored ("PATH: filed as document 12 ..."), then
    // one for the failure ("PATH: not filed: WHY").
    void Print(std::ostream& out) const;
    // {"file", "filed", "records": [{"class", "id", "subject", "person",
    // "company"}], "messages", and "error" when not filed}; a missing person
    // or company is null.
    nlohmann::json Json() const;
};

}  // namespace ostrellix::host
