#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

#include "standins/message/ContactCard.h"
#include "standins/message/MessageFileLimits.h"

namespace ostrellix::standin::message {

// Reads business cards (".vcf"): vCard 4.0 (RFC 6350) and 3.0, and the
// ways of 2.1 (bare parameters, quoted-printable values with soft line
// breaks, CHARSET parameters, base64 photos). Undeclared 8-bit text is
// taken as UTF-8 when it reads as such, else as windows-1252. A file with
// no card, or a card cut short, raises a ComError naming the file.
class VCardReader {
public:
    explicit VCardReader(MessageFileLimits limits = {}) : limits_(limits) {}

    std::vector<ContactCard> ReadFile(const std::filesystem::path& path) const;
    std::vector<ContactCard> Read(std::span<const std::uint8_t> bytes, std::string_view fileName) const;

private:
    MessageFileLimits limits_;
};

}  // namespace ostrellix::standin::message
