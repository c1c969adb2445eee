#include "standins/kelo/engine/SqlFunctions.h"

#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

namespace {

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-mapped text for containment; plain ASCII skips the Unicode library.
std::string Folded(std::string_view s) {
    if (!IsAscii(s)) return text::LCase(s);
    std::string lower(s);
    std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
    return lower;
}

int CollationCallback(void*, int aLength, const void* a, int bLength, const void* b) {
    return SqlFunctions::Compare(static_cast<const char*>(a), aLength, static_cast<const char*>(b), bLength);
}

void ContainsCallback(sqlite3_context* context, int, sqlite3_value** arguments) {
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_int(context, 0);
        return;
    }
    const auto* textValue = reinterpret_cast<const char*>(sqlite3_value_text(arguments[0]));
    const int textLength = sqlite3_value_bytes(arguments[0]);
    const auto* part = reinterpret_cast<const char*>(sqlite3_value_text(arguments[1]));
    const int partLength = sqlite3_value_bytes(arguments[1]);
    sqlite3_result_int(context, SqlFunctions::Contains(textValue, textLength, part, partLength) ? 1 : 0);
}

}  // namespace

void SqlFunctions::Register(sqlite3* db) {
    sqlite3_create_collation(db, "KELO_NOCASE", SQLITE_UTF8, nullptr, &CollationCallback);
    sqlite3_create_function(db, "kelo_contains", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, &ContainsCallback,
                            nullptr, nullptr);
}

int SqlFunctions::Compare(const char* a, int aLength, const char* b, int bLength) {
    const std::string_view left(a, static_cast<std::size_t>(aLength)), right(b, static_cast<std::size_t>(bLength));
    if (IsAscii(left) && IsAscii(right)) {
        // The same order as the Unicode comparison below gives for ASCII text.
        const std::size_t common = std::min(left.size(), right.size());
        for (std::size_t i = 0; i < common; ++i) {
            const char x = AsciiLower(left[i]), y = AsciiLower(right[i]);
            if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1;
        }
        return (left.size() > right.size()) - (left.size() < right.size());
    }
    return text::StrComp(left, right, text::Compare::Text);
}

bool SqlFunctions::Contains(const char* textValue, int textLength, const char* part, int partLength) {
    const std::string haystack = Folded(std::string_view(textValue, static_cast<std::size_t>(textLength)));
    const std::string needle = Folded(std::string_view(part, static_cast<std::size_t>(partLength)));
    return haystack.find(needle) != std::string::npos;
}

}  // namespace ostrellix::standin::kelo
