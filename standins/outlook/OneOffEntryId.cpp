#include "standins/outlook/OneOffEntryId.h"

#include <cstdint>
#include <span>

#include "runtime/Hex.h"
#include "runtime/Text.h"
#include "standins/message/CodePage.h"
#include "standins/message/WireFormats.h"

namespace ostrellix::standin::outlook {

namespace {

constexpr std::string_view kPrefix = "00000000812B1FA4BEA310199D6E00DD010F5402";
constexpr std::uint16_t kUnicode = 0x8000;
// Unicode strings, the plain-text (SMTP) format and "no rich info": the
// flags a mail program sets for an Internet address it was given.
constexpr std::uint16_t kWrittenFlags = kUnicode | 0x1000 | 0x0001;

void AppendUnicode(Bytes& bytes, std::string_view text) {
    const Bytes utf16 = message::wire::Utf8ToUtf16Le(text);
    bytes.insert(bytes.end(), utf16.begin(), utf16.end());
    bytes.insert(bytes.end(), {0, 0});
}

// The zero-terminated string at `at`, moving `at` past its terminator;
// nothing when the terminator is missing.
std::optional<std::string> NextString(std::span<const std::uint8_t> bytes, std::size_t& at, bool unicode) {
    const std::size_t unit = unicode ? 2 : 1;
    for (std::size_t end = at; end + unit <= bytes.size(); end += unit) {
        if (bytes[end] != 0 || (unicode && bytes[end + 1] != 0)) continue;
        const auto piece = bytes.subspan(at, end - at);
        at = end + unit;
        return unicode ? message::wire::Utf16LeToUtf8(piece) : message::CodePage::ToUtf8(piece, "windows-1252");
    }
    return std::nullopt;
}

}  // namespace

std::string OneOffEntryId::Make(std::string_view name, std::string_view type, std::string_view address) {
    Bytes bytes{0, 0, static_cast<std::uint8_t>(kWrittenFlags & 0xFF), static_cast<std::uint8_t>(kWrittenFlags >> 8)};
    AppendUnicode(bytes, name);
    AppendUnicode(bytes, type);
    AppendUnicode(bytes, address);
    return std::string(kPrefix) + HexEncode(bytes);
}

std::optional<OneOffEntryId::Parts> OneOffEntryId::Read(std::string_view entryId) {
    if (entryId.size() <= kPrefix.size() || !text::EqualsIgnoreCase(entryId.substr(0, kPrefix.size()), kPrefix)) {
        return std::nullopt;
    }
    const std::optional<Bytes> bytes = HexDecode(entryId.substr(kPrefix.size()));
    if (!bytes || bytes->size() < 4 || (*bytes)[0] != 0 || (*bytes)[1] != 0) return std::nullopt;
    const bool unicode = (((*bytes)[3] << 8) & kUnicode) != 0;
    std::size_t at = 4;
    auto name = NextString(*bytes, at, unicode);
    auto type = name ? NextString(*bytes, at, unicode) : std::nullopt;
    auto address = type ? NextString(*bytes, at, unicode) : std::nullopt;
    if (!address) return std::nullopt;
    return Parts{std::move(*name), std::move(*type), std::move(*address)};
}

}  // namespace ostrellix::standin::outlook
