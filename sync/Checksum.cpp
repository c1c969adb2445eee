#include "sync/Checksum.h"

#include <bit>
#include <cstdint>

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

std::string Checksum::Compute(std::string_view text) {
    const std::string bytes = text::ToWindows1252(text);
    const std::size_t n = bytes.size();
    if (n > 32767) RaiseRuntimeError(errors::Overflow);

    std::uint32_t acc = 0, crc = 0;
    for (std::size_t i = 1; i <= n; ++i) {
        // A byte of 128 or more is taken as a negative number and sign-extended:
        // it sets the upper 24 bits, wiping the block's earlier characters.
        const auto value = static_cast<std::int32_t>(static_cast<std::int8_t>(bytes[i - 1]));
        acc = (acc << 8) | static_cast<std::uint32_t>(value);
        if (i % 4 == 0 || i == n) {
            const auto block = static_cast<int>((i - 1) / 4 + 1);
            crc ^= std::rotr(acc, block % 32);
            acc = 0;
        }
    }
    for (int step = 0; step < 32; ++step) {
        const std::uint32_t feedback = ((crc >> 31) ^ (crc >> 30) ^ (crc >> 29) ^ (crc >> 9)) & 1u;
        crc = (crc << 1) | feedback;
    }
    return std::to_string(crc);
}

}  // namespace ostrellix::addin
