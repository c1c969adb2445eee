#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ostrellix::standin::message {

// One unfolded content line of a vCard: "item1.TEL;TYPE=work,voice:+46 8 123".
// Names and parameter names are upper case; the value keeps its raw form
// (still escaped, still encoded). vCard 2.1 writes bare parameters ("TEL;
// HOME;FAX:"): a bare one counts as a TYPE, or as the ENCODING when it
// names one.
class VCardLine {
public:
    // Nothing when the line has no name or no colon.
    static std::optional<VCardLine> Parse(std::string_view line);

    const std::string& Name() const { return name_; }
    const std::string& Value() const { return value_; }

    // The values of a parameter, split at commas; empty when absent.
    std::vector<std::string> Param(std::string_view name) const;
    // Whether TYPE lists the type (any letter case).
    bool HasType(std::string_view type) const;
    bool HasAnyType() const { return !Param("TYPE").empty(); }

private:
    std::string name_;
    std::vector<std::pair<std::string, std::string>> params_;  // name, value as written
    std::string value_;
};

}  // namespace ostrellix::standin::message
