#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Names and sizes of the Outlook message file layout, shared by its reader
// and writer.
namespace ostrellix::standin::message::msg {

inline constexpr const char* kPropertyStream = "__properties_version1.0";
inline constexpr std::string_view kRecipientPrefix = "__recip_version1.0_#";
inline constexpr std::string_view kAttachmentPrefix = "__attach_version1.0_#";
inline constexpr const char* kEmbeddedStorage = "__substg1.0_3701000D";

// Property stream header sizes.
inline constexpr std::size_t kTopHeader = 32;
inline constexpr std::size_t kEmbeddedHeader = 24;
inline constexpr std::size_t kChildHeader = 8;

// "__substg1.0_0037001F", and "__substg1.0_101F0001-00000002" for the third
// value of a multi-valued property.
std::string StreamName(std::uint32_t tag);
std::string StreamName(std::uint32_t tag, std::size_t index);
// "__recip_version1.0_#0000000A" for the eleventh recipient.
std::string ChildName(std::string_view prefix, std::size_t index);
// The index of a child storage name with that prefix; nothing for other names.
std::optional<std::size_t> ChildIndex(std::string_view name, std::string_view prefix);

// Types whose value sits in the property stream itself (8 bytes at most).
bool IsFixedSize(std::uint16_t type);
// Element types of multi-valued properties kept in one stream.
bool IsFixedArray(std::uint16_t elementType);
// Bytes of one value of a fixed-size type in a multi-valued stream.
std::size_t FixedElementWidth(std::uint16_t type);

}  // namespace ostrellix::standin::message::msg
