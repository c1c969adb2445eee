#include "tests/translation/TextKeyScanner.h"

#include <cctype>
#include <optional>

namespace ostrellix::tests {

namespace {

bool IsIdentifierChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

std::size_t SkipSpace(std::string_view s, std::size_t at) {
    while (at < s.size() && std::isspace(static_cast<unsigned char>(s[at])) != 0) ++at;
    return at;
}

// Reads the string literal that opens at `at` (a '"'); returns its text and
// moves `at` past the closing quote, or nothing when the literal is unterminated.
std::optional<std::string> ReadLiteral(std::string_view s, std::size_t& at) {
    std::string text;
    for (std::size_t i = at + 1; i < s.size(); ++i) {
        if (s[i] == '"') {
            at = i + 1;
            return text;
        }
        if (s[i] == '\n') return std::nullopt;
        if (s[i] == '\\' && i + 1 < s.size()) ++i;
        text += s[i];
    }
    return std::nullopt;
}

// The key of the call whose name ends just before `at`, when its first
// argument is a lone literal followed by one of `closers`.
std::optional<std::string> KeyArgument(std::string_view s, std::size_t at, std::string_view closers) {
    at = SkipSpace(s, at);
    if (at >= s.size() || s[at] != '(') return std::nullopt;
    at = SkipSpace(s, at + 1);
    if (at >= s.size() || s[at] != '"') return std::nullopt;
    auto key = ReadLiteral(s, at);
    if (!key) return std::nullopt;
    at = SkipSpace(s, at);
    if (at >= s.size() || closers.find(s[at]) == std::string_view::npos) return std::nullopt;
    return key;
}

}  // namespace

std::vector<TextKeyScanner::Use> TextKeyScanner::Scan(std::string_view source) {
    struct Marker {
        std::string_view name;
        std::string_view closers;  // GetText takes placeholders after the key, TextKey nothing
    };
    static constexpr Marker kMarkers[] = {{"GetText", ",)"}, {"TextKey", ")"}};

    std::vector<Use> uses;
    int line = 1;
    for (std::size_t at = 0; at < source.size(); ++at) {
        if (source[at] == '\n') ++line;
        if (at > 0 && IsIdentifierChar(source[at - 1])) continue;
        for (const Marker& marker : kMarkers) {
            const std::size_t end = at + marker.name.size();
            if (source.substr(at, marker.name.size()) != marker.name) continue;
            if (end < source.size() && IsIdentifierChar(source[end])) continue;
            if (auto key = KeyArgument(source, end, marker.closers)) uses.push_back({std::move(*key), line});
        }
    }
    return uses;
}

std::string TextKeyScanner::BundleKey(std::string_view key) {
    if (key.find('.') != std::string_view::npos) return std::string(key);
    return "Text." + std::string(key);
}

}  // namespace ostrellix::tests
