#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>

namespace ostrellix {

// The one way failures travel: an automation error with number, source,
// description and help reference, thrown as an exception. Numbers follow the
// platform's: small positive numbers are the language runtime's (13 type
// mismatch, 6 overflow ...), negative ones are HRESULTs (0x80040000 ...).
class ComError : public std::exception {
public:
    ComError(std::int32_t number, std::string source, std::string description,
             std::string helpFile = {}, std::int32_t helpContext = 0);

    std::int32_t Number() const noexcept { return number_; }
    const std::string& Source() const noexcept { return source_; }
    const std::string& Description() const noexcept { return description_; }
    const std::string& HelpFile() const noexcept { return helpFile_; }
    std::int32_t HelpContext() const noexcept { return helpContext_; }

    // The number as upper-case hexadecimal of its 32 bits ("80040000", "D").
    std::string HexNumber() const;

    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;
    std::string helpFile_;
    std::int32_t helpContext_;
};

// Numbers raised by the runtime and by stand-ins, named as the platform names them.
namespace errors {
inline constexpr std::int32_t InvalidProcedureCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t ObjectVariableNotSet = 91;
inline constexpr std::int32_t InvalidPatternString = 93;
inline constexpr std::int32_t InvalidUseOfNull = 94;
inline constexpr std::int32_t ObjectRequired = 424;
inline constexpr std::int32_t CannotCreateObject = 429;
inline constexpr std::int32_t NotSupported = 438;
inline constexpr std::int32_t WrongNumberOfArguments = 450;
inline constexpr std::int32_t DuplicateKey = 457;
inline constexpr std::int32_t ElementNotFound = 32811;
inline constexpr std::int32_t Unexpected = static_cast<std::int32_t>(0x8000FFFFu);
inline constexpr std::int32_t NotImplemented = static_cast<std::int32_t>(0x80004001u);
}  // namespace errors

// Raises one of the runtime's own errors with its standard description.
[[noreturn]] void RaiseRuntimeError(std::int32_t number);

// Raises the platform's "not implemented" for a member of `source` whose
// work is not there to hand over to.
[[noreturn]] void RaiseNotImplemented(std::string_view source, std::string_view member);

// Raises an error; the runtime's numbers get their standard description when
// none is given.
[[noreturn]] void Raise(std::int32_t number, std::string source, std::string description);

}  // namespace ostrellix
