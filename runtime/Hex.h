#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace ostrellix {

// The value of one hexadecimal digit of either case; -1 for any other character.
int HexDigitValue(char c);

// Bytes as hexadecimal text, two upper-case digits a byte: the form
// EntryIDs and other binary identifiers travel in as text.
std::string HexEncode(const Bytes& bytes);
// Either digit case; nothing for an odd length or a character that is no
// hexadecimal digit.
std::optional<Bytes> HexDecode(std::string_view text);

}  // namespace ostrellix
