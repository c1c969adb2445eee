#include "standins/message/LittleEndianReader.h"

#include "standins/message/FormatError.h"

namespace ostrellix::standin::message {

void LittleEndianReader::Need(std::size_t count) const {
    if (count > Remaining()) throw FormatError(what_ + " is cut short");
}

std::uint8_t LittleEndianReader::U8() {
    Need(1);
    return bytes_[position_++];
}

std::uint16_t LittleEndianReader::U16() {
    Need(2);
    const auto value = static_cast<std::uint16_t>(bytes_[position_] | bytes_[position_ + 1] << 8);
    position_ += 2;
    return value;
}

std::uint32_t LittleEndianReader::U32() {
    const std::uint32_t low = U16();
    const std::uint32_t high = U16();
    return low | high << 16;
}

std::uint64_t LittleEndianReader::U64() {
    const std::uint64_t low = U32();
    const std::uint64_t high = U32();
    return low | high << 32;
}

std::span<const std::uint8_t> LittleEndianReader::Take(std::size_t count) {
    Need(count);
    const auto part = bytes_.subspan(position_, count);
    position_ += count;
    return part;
}

}  // namespace ostrellix::standin::message
