#pragma once

#include <cstdint>
#include <string>

namespace ostrellix::standin::kelo {

// Numbers of the data engine's own errors (source "QVR"), in the range of
// interface-defined error codes. Wrong value types raise the runtime's 13.
namespace engineerror {
inline constexpr std::int32_t UnknownClass = static_cast<std::int32_t>(0x80041001u);
inline constexpr std::int32_t UnknownField = static_cast<std::int32_t>(0x80041002u);
inline constexpr std::int32_t BadPath = static_cast<std::int32_t>(0x80041003u);
inline constexpr std::int32_t RecordNotFound = static_cast<std::int32_t>(0x80041004u);
inline constexpr std::int32_t CheckFailed = static_cast<std::int32_t>(0x80041005u);
inline constexpr std::int32_t DatabaseFailed = static_cast<std::int32_t>(0x80041006u);
inline constexpr std::int32_t ValueTooLong = static_cast<std::int32_t>(0x80041007u);
inline constexpr std::int32_t ReadOnly = static_cast<std::int32_t>(0x80041008u);
inline constexpr std::int32_t NotUsable = static_cast<std::int32_t>(0x80041009u);
inline constexpr std::int32_t BadSchema = static_cast<std::int32_t>(0x8004100Au);
}  // namespace engineerror

inline constexpr const char* kEngineSource = "QVR";

// Raises a data-engine error with source "QVR".
[[noreturn]] void RaiseEngineError(std::int32_t number, const std::string& description);

// Quotes a name for messages: "email".
std::string Quoted(const std::string& name);

}  // namespace ostrellix::standin::kelo
