#pragma once

#include <string>
#include <string_view>

namespace ostrellix::addin {

// The checksum that tells which side of a synchronized pair changed. Works
// on the text's Windows-1252 bytes in blocks of four; the result is an
// unsigned 32-bit number in decimal ("0" for the empty text). Texts longer
// than 32767 characters raise an overflow (error 6), as the position
// counter is a 16-bit number.
class Checksum {
public:
    static std::string Compute(std::string_view text);
};

}  // namespace ostrellix::addin
