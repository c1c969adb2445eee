#pragma once

#include <cstdint>
#include <string>

// The errors the MAPI library raises, with the numbers a caller may test.
namespace ostrellix::standin::mapi::errors {

inline constexpr const char* kSource = "ZQOutRed";

inline constexpr std::int32_t kNotFound = static_cast<std::int32_t>(0x8004010Fu);         // MAPI_E_NOT_FOUND
inline constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);  // E_INVALIDARG
inline constexpr std::int32_t kNoSupport = static_cast<std::int32_t>(0x80040102u);        // MAPI_E_NO_SUPPORT
inline constexpr std::int32_t kNotLoggedOn = static_cast<std::int32_t>(0x80040605u);      // MAPI_E_NOT_INITIALIZED
inline constexpr std::int32_t kObjectDeleted = static_cast<std::int32_t>(0x8004010Au);    // MAPI_E_OBJECT_DELETED

[[noreturn]] void Raise(std::int32_t number, std::string description);

}  // namespace ostrellix::standin::mapi::errors
