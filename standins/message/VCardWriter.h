#pragma once

#include <filesystem>
#include <string>

#include "standins/message/ContactCard.h"

namespace ostrellix::standin::message {

// Writes a business card as vCard 4.0 (RFC 6350): UTF-8, CRLF, lines
// folded at 75 octets, text escaped, the photo as a data URI. Fields that
// are empty are left out.
class VCardWriter {
public:
    static std::string Write(const ContactCard& card);
    // Atomic (temporary file and rename); raises a ComError naming the file.
    static void WriteFile(const ContactCard& card, const std::filesystem::path& path);
};

}  // namespace ostrellix::standin::message
