#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace ostrellix::standin::message {

// Appends little-endian fields to a growing byte buffer.
class LittleEndianWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value);
    void U32(std::uint32_t value);
    void U64(std::uint64_t value);
    void Append(std::span<const std::uint8_t> bytes) { bytes_.insert(bytes_.end(), bytes.begin(), bytes.end()); }
    void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace ostrellix::standin::message
