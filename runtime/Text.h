#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text is UTF-8 in std::string. These helpers count and cut in characters
// (Unicode code points), never in bytes; an ill-formed byte counts as one
// character. Positions are 1-based, as the platform's string functions are.
namespace ostrellix::text {

std::size_t Len(std::string_view s);
std::string Left(std::string_view s, std::size_t count);
std::string Right(std::string_view s, std::size_t count);
// Characters from `start` (1-based; 0 raises error 5), all or `count` of them.
std::string Mid(std::string_view s, std::size_t start, std::optional<std::size_t> count = std::nullopt);

// Remove blanks (U+0020 only, as the platform's Trim does).
std::string Trim(std::string_view s);
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

// Full Unicode case mapping: "FÖDELSEDAG" lower-cases to "födelsedag".
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// Every occurrence of `find` replaced, left to right; an empty `find` changes nothing.
std::string Replace(std::string_view s, std::string_view find, std::string_view replacement);

// Pieces between delimiters; the empty text gives no pieces, an empty
// delimiter the whole text as one piece.
std::vector<std::string> Split(std::string_view s, std::string_view delimiter);

// 1-based character position of `find` at or after `start`, 0 when absent.
std::size_t InStr(std::string_view s, std::string_view find, std::size_t start = 1);

enum class Compare { Binary, Text };
// -1, 0 or 1. Text comparison ignores case (Unicode case folding).
int StrComp(std::string_view a, std::string_view b, Compare mode = Compare::Binary);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);

// The platform's Like operator, case-sensitive: ? one character, * any run,
// # one digit, [abc] [a-z] one of, [!abc] none of. A malformed pattern
// raises error 93.
bool Like(std::string_view s, std::string_view pattern);

// The text in the Windows-1252 code page, one byte per character; a
// character the code page lacks becomes '?'.
std::string ToWindows1252(std::string_view s);

// Code points of the text (ill-formed bytes as U+FFFD).
std::vector<char32_t> CodePoints(std::string_view s);

}  // namespace ostrellix::text
