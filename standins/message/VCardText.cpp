#include "standins/message/VCardText.h"

#include <algorithm>

#include "runtime/Hex.h"

namespace ostrellix::standin::message::vcard {

std::string Escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += "\\n";
        } else if (c == '\n') {
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string Unescape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' || next == 'N' ? '\n' : next;
    }
    return out;
}

std::vector<std::string> SplitComponents(std::string_view value) {
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            parts.back() += value[i];
            parts.back() += value[++i];
        } else if (value[i] == ';') {
            parts.emplace_back();
        } else {
            parts.back() += value[i];
        }
    }
    return parts;
}

std::vector<std::uint8_t> DecodeQuotedPrintable(std::string_view text) {
    std::vector<std::uint8_t> out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '=') {
            out.push_back(static_cast<std::uint8_t>(text[i]));
            continue;
        }
        if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n')) {
            ++i;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            continue;
        }
        const int high = i + 2 < text.size() ? HexDigitValue(text[i + 1]) : -1;
        const int low = i + 2 < text.size() ? HexDigitValue(text[i + 2]) : -1;
        if (high < 0 || low < 0) {
            out.push_back('=');
            continue;
        }
        out.push_back(static_cast<std::uint8_t>(high << 4 | low));
        i += 2;
    }
    return out;
}

std::string Fold(std::string_view line) {
    constexpr std::size_t kOctets = 75;
    std::string out;
    std::size_t start = 0;
    bool first = true;
    while (start < line.size()) {
        const std::size_t room = first ? kOctets : kOctets - 1;
        std::size_t end = std::min(line.size(), start + room);
        // Back up to the start of a UTF-8 character; bytes that are not
        // UTF-8 at all are cut where they fall.
        std::size_t boundary = end;
        while (boundary < line.size() && boundary > start && (static_cast<unsigned char>(line[boundary]) & 0xC0) == 0x80) {
            --boundary;
        }
        if (boundary > start) end = boundary;
        if (!first) out += ' ';
        out.append(line.substr(start, end - start));
        out += "\r\n";
        start = end;
        first = false;
    }
    if (line.empty()) out += "\r\n";
    return out;
}

}  // namespace ostrellix::standin::message::vcard
