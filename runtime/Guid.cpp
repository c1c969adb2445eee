#include "runtime/Guid.h"

#include <random>

#include "runtime/ComError.h"
#include "runtime/Hex.h"

namespace ostrellix {

Guid Guid::Parse(std::string_view text) {
    // {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}
    static constexpr std::size_t dashes[] = {9, 14, 19, 24};
    auto invalid = [&]() -> Guid {
        throw ComError(CO_E_CLASSSTRING, "Ostrellix.Runtime", "Invalid class string: " + std::string(text));
    };
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return invalid();
    Guid guid;
    std::size_t byte = 0;
    for (std::size_t i = 1; i < 37;) {
        if (i == dashes[0] || i == dashes[1] || i == dashes[2] || i == dashes[3]) {
            if (text[i] != '-') return invalid();
            ++i;
            continue;
        }
        const int high = HexDigitValue(text[i]), low = HexDigitValue(text[i + 1]);
        if (high < 0 || low < 0) return invalid();
        guid.bytes_[byte++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    return guid;
}

Guid Guid::New() {
    static thread_local std::mt19937_64 engine{std::random_device{}()};
    Guid guid;
    for (std::size_t i = 0; i < 16; i += 8) {
        const std::uint64_t r = engine();
        for (std::size_t j = 0; j < 8; ++j) guid.bytes_[i + j] = static_cast<std::uint8_t>(r >> (8 * j));
    }
    guid.bytes_[6] = static_cast<std::uint8_t>((guid.bytes_[6] & 0x0F) | 0x40);
    guid.bytes_[8] = static_cast<std::uint8_t>((guid.bytes_[8] & 0x3F) | 0x80);
    return guid;
}

std::string Guid::ToString() const {
    // Stores write the property set of every named property they save: no formatting call per digit pair.
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "{00000000-0000-0000-0000-000000000000}";
    std::size_t at = 1;
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) ++at;  // past a hyphen
        text[at++] = kDigits[bytes_[i] >> 4];
        text[at++] = kDigits[bytes_[i] & 0xF];
    }
    return text;
}

}  // namespace ostrellix
