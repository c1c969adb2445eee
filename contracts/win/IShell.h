#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::win {

// The script host's shell object ("WScript.Shell"). RegWrite writes a value
// of the current user's registry ("HKEY_CURRENT_USER\..." or "HKCU\...",
// the value name after the last backslash) into the settings store, with
// the type named "REG_SZ", "REG_EXPAND_SZ", "REG_DWORD" or "REG_BINARY".
// Run starts a program by its file name and returns at once unless asked
// to wait, then with the program's exit code.
class IShell : public virtual Object {
public:
    virtual void RegWrite(std::string_view name, const Variant& value, std::string_view type = "REG_SZ") = 0;
    virtual Variant RegRead(std::string_view name) = 0;
    virtual std::int32_t Run(std::string_view command, std::int32_t windowStyle = 1, bool waitOnReturn = false) = 0;
};

}  // namespace ostrellix::win
