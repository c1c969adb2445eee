#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "runtime/Variant.h"

namespace ostrellix::addin {

// The To, CC and BCC lines (types 1 to 3) a composed mail gets from its
// recipients as the caller gave them: a text is the To line, trimmed; an
// array of texts is the To line, each trimmed and joined with "; " (an
// empty one too); a host recipient object sets the line of its type to its
// address as it stands; a host recipient collection adds each member's
// trimmed address to the line of its type. Types outside 1 to 3 and other
// objects add nothing. Empty recipients give no lines at all.
class RecipientLines {
public:
    explicit RecipientLines(const Variant& recipients);

    // False for empty recipients: the mail's lines are then left as they are.
    bool Given() const { return given_; }
    const std::string& Line(std::int32_t type) const { return lines_.at(static_cast<std::size_t>(type - 1)); }

private:
    static bool IsLineType(std::int32_t type) { return type >= 1 && type <= 3; }
    static void Append(std::string& line, const std::string& address);

    bool given_ = false;
    std::array<std::string, 3> lines_;
};

}  // namespace ostrellix::addin
