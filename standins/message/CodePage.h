#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ostrellix::standin::message {

// 8-bit text of mail and message files in and out of UTF-8: by MIME charset
// name ("iso-8859-1", "koi8-r") or by Windows code page number (1252, 65001).
class CodePage {
public:
    // The charset name for a Windows code page number; "windows-1252" for
    // numbers it does not know.
    static std::string CharsetOf(std::uint32_t codePage);

    struct Decoded {
        std::string text;
        bool replaced = false;  // some bytes did not decode and became U+FFFD
    };
    // Decodes `bytes`; an unknown charset counts as windows-1252 and bytes
    // the charset does not map become U+FFFD, so the text is always UTF-8.
    static Decoded Decode(std::span<const std::uint8_t> bytes, std::string_view charset);
    // Decode's text, for callers to whom a replaced byte is no news.
    static std::string ToUtf8(std::span<const std::uint8_t> bytes, std::string_view charset);

    // Encodes UTF-8 text; nothing when the charset is unknown or lacks a
    // character of the text.
    static std::optional<std::vector<std::uint8_t>> FromUtf8(std::string_view text, std::string_view charset);

    static bool IsValidUtf8(std::span<const std::uint8_t> bytes);
};

}  // namespace ostrellix::standin::message
