#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace ostrellix::win {

// A typed value in the per-user settings store, as the registry keeps it.
struct RegistryValue {
    enum class Kind { String, ExpandString, DWord, Binary };
    Kind kind = Kind::String;
    Variant data;  // text for the string kinds, Long for DWord, bytes for Binary
};

// The current user's settings store: the part of the registry under
// HKEY_CURRENT_USER. Program settings (GetSetting, SaveSetting,
// DeleteSetting) address a value by application, section and name, as the
// language runtime does; raw keys are addressed by their path below
// HKEY_CURRENT_USER ("Software\Microsoft\Office\..."). Key paths and value
// names compare without regard to case. Values are shared with every other
// process of the same user; a write is complete or not made at all.
class ISettingsStore {
public:
    virtual ~ISettingsStore() = default;

    // The text stored, or `defaultValue` when there is none.
    virtual std::string GetSetting(std::string_view application, std::string_view section,
                                   std::string_view name, std::string_view defaultValue) = 0;
    virtual void SaveSetting(std::string_view application, std::string_view section, std::string_view name,
                             std::string_view value) = 0;
    // Raises 5 when the value does not exist.
    virtual void DeleteSetting(std::string_view application, std::string_view section,
                               std::string_view name) = 0;

    virtual std::optional<RegistryValue> ReadValue(std::string_view keyPath, std::string_view name) = 0;
    virtual void WriteValue(std::string_view keyPath, std::string_view name, const RegistryValue& value) = 0;
};

}  // namespace ostrellix::win
