#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The text rules of vCard content lines: escaping, structured values,
// quoted-printable, folding.
namespace ostrellix::standin::message::vcard {

// Backslash, comma, semicolon and line breaks escaped ("\\", "\,", "\;", "\n").
std::string Escape(std::string_view text);
// The reverse; "\n" and "\N" become CRLF-free "\n" newlines.
std::string Unescape(std::string_view text);
// The components of a structured value (N, ADR, ORG), split at semicolons
// that are not escaped, each still escaped.
std::vector<std::string> SplitComponents(std::string_view value);

// Quoted-printable bytes ("=C3=A9", soft line breaks "=\r\n") decoded; a
// malformed escape is kept as it stands.
std::vector<std::uint8_t> DecodeQuotedPrintable(std::string_view text);

// A content line folded at 75 octets (never inside a UTF-8 character),
// with CRLF after each physical line.
std::string Fold(std::string_view line);

}  // namespace ostrellix::standin::message::vcard
