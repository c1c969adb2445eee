#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/Constants.h"
#include "standins/outlook/Names.h"

// The errors Outlook raises, with the numbers a caller may test.
namespace ostrellix::standin::outlook::errors {

inline constexpr const char* kSource = "Outlook";

inline constexpr std::int32_t kFailed = static_cast<std::int32_t>(0x80004005u);           // E_FAIL
inline constexpr std::int32_t kInvalidArgument = static_cast<std::int32_t>(0x80070057u);  // E_INVALIDARG
inline constexpr std::int32_t kNotFound = static_cast<std::int32_t>(0x8004010Fu);         // MAPI_E_NOT_FOUND
inline constexpr std::int32_t kCannotParse = static_cast<std::int32_t>(0x80020009u);      // DISP_E_EXCEPTION
inline constexpr std::int32_t kStoreFailed = static_cast<std::int32_t>(0x80040116u);      // MAPI_E_DISK_ERROR
inline constexpr std::int32_t kNotAvailable = 438;
inline constexpr std::int32_t kRpcUnavailable = static_cast<std::int32_t>(0x800706BAu);  // RPC_S_SERVER_UNAVAILABLE

[[noreturn]] void Raise(std::int32_t number, std::string description);
[[noreturn]] void RaiseDisconnected();
// The connection to Outlook broke off mid-call (Outlook crashed or hung).
[[noreturn]] void RaiseRpcUnavailable();
[[noreturn]] void RaiseMovedOrDeleted();
// A member this build leaves out because it needs the message-file code.
[[noreturn]] void RaiseNotAvailable(const std::string& member);

}  // namespace ostrellix::standin::outlook::errors
