#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Date.h"
#include "runtime/Guid.h"

// Encodings that MAPI data uses on disk, shared by the message-file readers
// and writers.
namespace ostrellix::standin::message::wire {

// FILETIME (100-nanosecond ticks since 1601-01-01 UTC) to and from the OLE
// date; whole seconds convert exactly both ways.
Date DateFromFileTime(std::uint64_t ticks);
std::uint64_t FileTimeFromDate(Date date);

// A GUID in its in-memory byte order (first three fields little-endian).
Guid GuidFromBytes(std::span<const std::uint8_t> bytes);  // exactly 16 bytes
std::array<std::uint8_t, 16> GuidToBytes(const Guid& guid);

// UTF-16LE to and from UTF-8. Unpaired surrogates become U+FFFD; an odd
// trailing byte is dropped.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> Utf8ToUtf16Le(std::string_view text);

// The CRC-32 that compressed RTF and the named-property hash use: the
// reflected 0xEDB88320 polynomial starting from 0, with no final inversion.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes);

}  // namespace ostrellix::standin::message::wire
