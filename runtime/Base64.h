#pragma once

#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace ostrellix {

// Base64 (RFC 4648, standard alphabet, padded, no line breaks).
std::string Base64Encode(const Bytes& bytes);
// Ignores white space; raises 5 on any other character outside the alphabet.
Bytes Base64Decode(std::string_view text);

}  // namespace ostrellix
