#pragma once

#include <cstdint>

// Values the add-in shares with the Kelo client, Outlook and its own settings.
namespace ostrellix::addin {

inline constexpr const char* kTitle = "Ostrellix";
inline constexpr std::int32_t kSystemError = 9999;

inline constexpr const char* kAddinProgID = "KeloOstrellix.Addin";
inline constexpr const char* kInstanceValue = "Ostrellix.Instance";
inline constexpr const char* kKeloSynchListenerTag = "Outlook_KeloSynchListener";

// The host timer that re-attaches to a restarted Outlook.
inline constexpr std::int32_t kConnectionTimerId = 2139892;
inline constexpr std::int32_t kConnectionTimerInterval = 30000;

inline constexpr const char* kOutlookProgID = "Outlook.Application";
inline constexpr std::int32_t kCategoryColor = 5;
inline constexpr std::int16_t kDefaultOutlookMajorVersion = 14;

// The per-user settings of the add-in.
inline constexpr const char* kSettingsApplication = "Brannovika\\Kelo Addins\\Outlook Integration";
inline constexpr const char* kSettingsSection = "Settings";

}  // namespace ostrellix::addin
