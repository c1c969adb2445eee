#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace ostrellix::standin::message {

// Reads little-endian fields from a byte range and checks every length
// before it reads: running past the end throws FormatError naming `what`.
class LittleEndianReader {
public:
    LittleEndianReader(std::span<const std::uint8_t> bytes, std::string what)
        : bytes_(bytes), what_(std::move(what)) {}

    std::uint8_t U8();
    std::uint16_t U16();
    std::uint32_t U32();
    std::uint64_t U64();
    std::span<const std::uint8_t> Take(std::size_t count);
    void Skip(std::size_t count) { Take(count); }

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ == bytes_.size(); }

private:
    void Need(std::size_t count) const;

    std::span<const std::uint8_t> bytes_;
    std::string what_;
    std::size_t position_ = 0;
};

}  // namespace ostrellix::standin::message
