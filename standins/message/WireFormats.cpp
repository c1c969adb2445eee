#include "standins/message/WireFormats.h"

#include <cmath>
#include <cstdio>

#include "runtime/Text.h"

namespace ostrellix::standin::message::wire {

namespace {

constexpr std::int64_t kTicksPerDay = 864000000000LL;
constexpr std::int64_t kDaysFrom1601To1899 = 109205;  // 1601-01-01 to 1899-12-30

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return 0;
}

}  // namespace

Date DateFromFileTime(std::uint64_t ticks) {
    const auto days = static_cast<std::int64_t>(ticks / kTicksPerDay) - kDaysFrom1601To1899;
    const auto rest = static_cast<std::int64_t>(ticks % kTicksPerDay);
    // The same arithmetic as Date::FromParts, so whole seconds compare equal.
    const double whole = static_cast<double>(days);
    const double fraction = static_cast<double>(rest) / static_cast<double>(kTicksPerDay);
    if (whole >= 0 || fraction == 0) return Date(whole + fraction);
    return Date(whole - fraction);
}

std::uint64_t FileTimeFromDate(Date date) {
    const double serial = date.Serial();
    const double whole = std::trunc(serial);
    double fraction = std::fabs(serial - whole);
    auto days = static_cast<std::int64_t>(whole) + kDaysFrom1601To1899;
    if (days < 0) return 0;
    auto rest = static_cast<std::int64_t>(std::llround(fraction * static_cast<double>(kTicksPerDay)));
    if (rest >= kTicksPerDay) {
        ++days;
        rest -= kTicksPerDay;
    }
    return static_cast<std::uint64_t>(days) * kTicksPerDay + static_cast<std::uint64_t>(rest);
}

Guid GuidFromBytes(std::span<const std::uint8_t> b) {
    char text[39];
    std::snprintf(text, sizeof text, "{%02X%02X%02X%02X-%02X%02X-%02X%02X-%02X%02X-%02X%02X%02X%02X%02X%02X}", b[3],
                  b[2], b[1], b[0], b[5], b[4], b[7], b[6], b[8], b[9], b[10], b[11], b[12], b[13], b[14], b[15]);
    return Guid::Parse(text);
}

std::array<std::uint8_t, 16> GuidToBytes(const Guid& guid) {
    const std::string text = guid.ToString();  // {00020329-0000-0000-C000-000000000046}
    std::array<std::uint8_t, 32> nibbles{};
    std::size_t n = 0;
    for (char c : text) {
        if (c != '{' && c != '}' && c != '-' && n < nibbles.size()) nibbles[n++] = static_cast<std::uint8_t>(HexValue(c));
    }
    std::array<std::uint8_t, 16> plain{};
    for (std::size_t i = 0; i < 16; ++i) plain[i] = static_cast<std::uint8_t>(nibbles[2 * i] << 4 | nibbles[2 * i + 1]);
    return {plain[3], plain[2], plain[1], plain[0], plain[5],  plain[4],  plain[7],  plain[6],
            plain[8], plain[9], plain[10], plain[11], plain[12], plain[13], plain[14], plain[15]};
}

std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve(bytes.size() / 2);
    const std::size_t units = bytes.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        char32_t c = static_cast<char32_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < units) {
            const char32_t low = static_cast<char32_t>(bytes[2 * i + 2] | bytes[2 * i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            } else {
                c = 0xFFFD;
            }
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size() * 2);
    auto unit = [&out](char32_t u) {
        out.push_back(static_cast<std::uint8_t>(u));
        out.push_back(static_cast<std::uint8_t>(u >> 8));
    };
    for (char32_t c : text::CodePoints(text)) {
        if (c >= 0x10000) {
            c -= 0x10000;
            unit(0xD800 + (c >> 10));
            unit(0xDC00 + (c & 0x3FF));
        } else {
            unit(c);
        }
    }
    return out;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0;
    for (std::uint8_t b : bytes) crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc;
}

}  // namespace ostrellix::standin::message::wire
