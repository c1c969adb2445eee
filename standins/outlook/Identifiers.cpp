#include "standins/outlook/Identifiers.h"

namespace ostrellix::standin::outlook::ids {

std::string Normalized(std::string_view id) {
    std::string upper(id);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return upper;
}

std::string RandomHex(std::mt19937_64& random, std::size_t digits) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string text;
    while (text.size() < digits) {
        std::uint64_t bits = random();
        for (int i = 0; i < 16 && text.size() < digits; ++i, bits >>= 4) text += hex[bits & 0xF];
    }
    return text;
}

}  // namespace ostrellix::standin::outlook::ids
