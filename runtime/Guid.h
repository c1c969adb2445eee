#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace ostrellix {

// A class id or other globally unique identifier, written in braces:
// "{0006F03A-0000-0000-C000-000000000046}".
class Guid {
public:
    Guid() = default;

    // The platform's CLSIDFromString for the braced form: anything else
    // raises CO_E_CLASSSTRING (0x800401F3).
    static Guid Parse(std::string_view text);
    // A new random (version 4) identifier.
    static Guid New();

    std::string ToString() const;  // braced, upper case

    friend bool operator==(const Guid&, const Guid&) = default;
    friend auto operator<=>(const Guid&, const Guid&) = default;

private:
    std::array<std::uint8_t, 16> bytes_{};
};

inline constexpr std::int32_t CO_E_CLASSSTRING = static_cast<std::int32_t>(0x800401F3u);

}  // namespace ostrellix
