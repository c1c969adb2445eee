#pragma once

#include <cstdint>
#include <string_view>

namespace ostrellix::standin::message {

// Numbers of the errors that message files raise, as the MAPI library
// raises them.
namespace file_error {
inline constexpr std::int32_t NotFound = static_cast<std::int32_t>(0x80030002u);     // STG_E_FILENOTFOUND
inline constexpr std::int32_t AccessDenied = static_cast<std::int32_t>(0x80030005u); // STG_E_ACCESSDENIED
inline constexpr std::int32_t CannotSave = static_cast<std::int32_t>(0x80030103u);   // STG_E_CANTSAVE
inline constexpr std::int32_t Corrupt = static_cast<std::int32_t>(0x8004011Bu);      // MAPI_E_CORRUPT_DATA
inline constexpr std::int32_t TooBig = static_cast<std::int32_t>(0x80040305u);       // MAPI_E_TOO_BIG
inline constexpr std::int32_t InvalidValue = static_cast<std::int32_t>(0x80070057u); // E_INVALIDARG
}  // namespace file_error

// Raises a ComError whose description names the file and says what is wrong
// with it: "Cannot read 'mail.msg': the property stream is cut short."
[[noreturn]] void RaiseFileError(std::int32_t number, std::string_view source, std::string_view fileName,
                                 std::string_view verb, std::string_view detail);

}  // namespace ostrellix::standin::message
