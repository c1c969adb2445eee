#include "standins/system/Shell.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::standin::system {

namespace {

constexpr const char* kSource = "WshShell.RegWrite";
constexpr std::int32_t kInvalidRoot = static_cast<std::int32_t>(0x80070005u);
constexpr std::int32_t kNotFound = static_cast<std::int32_t>(0x80070002u);

struct RegistryName {
    std::string keyPath;  // below HKEY_CURRENT_USER
    std::string valueName;
};

// "HKEY_CURRENT_USER\Software\X\Name" -> {"Software\X", "Name"}; a name
// ending in a backslash is the key's default value.
RegistryName SplitName(std::string_view name, const char* source) {
    std::string_view rest;
    for (std::string_view root : {"HKEY_CURRENT_USER\\", "HKCU\\"}) {
        if (text::EqualsIgnoreCase(text::Left(name, text::Len(root)), root)) rest = name.substr(root.size());
    }
    if (rest.empty()) {
        throw ComError(kInvalidRoot, source,
                       "Invalid root in registry key \"" + std::string(name) + "\" (only HKEY_CURRENT_USER is kept)");
    }
    const auto slash = rest.find_last_of('\\');
    if (slash == std::string_view::npos) return {std::string(rest), ""};
    return {std::string(rest.substr(0, slash)), std::string(rest.substr(slash + 1))};
}

}  // namespace

Shell::Shell(win::ISettingsStore& settings, const Programs& programs) : settings_(settings), programs_(programs) {}

void Shell::RegWrite(std::string_view name, const Variant& value, std::string_view type) {
    using Kind = win::RegistryValue::Kind;
    const RegistryName target = SplitName(name, kSource);
    win::RegistryValue stored;
    if (type == "REG_SZ") stored = {Kind::String, Variant(value.ToString())};
    else if (type == "REG_EXPAND_SZ") stored = {Kind::ExpandString, Variant(value.ToString())};
    else if (type == "REG_DWORD") stored = {Kind::DWord, Variant(value.ToLong())};
    else if (type == "REG_BINARY") {
        const std::int32_t number = value.ToLong();
        Bytes bytes;
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(std::uint32_t(number) >> (8 * i)));
        stored = {Kind::Binary, Variant(std::move(bytes))};
    } else {
        throw ComError(errors::InvalidProcedureCall, kSource, "Invalid registry value type: " + std::string(type));
    }
    settings_.WriteValue(target.keyPath, target.valueName, stored);
}

Variant Shell::RegRead(std::string_view name) {
    const RegistryName target = SplitName(name, "WshShell.RegRead");
    const auto value = settings_.ReadValue(target.keyPath, target.valueName);
    if (!value) {
        throw ComError(kNotFound, "WshShell.RegRead",
                       "Unable to open registry key \"" + std::string(name) + "\" for reading.");
    }
    return value->data;
}

std::int32_t Shell::Run(std::string_view command, std::int32_t /*windowStyle*/, bool /*waitOnReturn*/) {
    return programs_.Start(command);
}

}  // namespace ostrellix::standin::system
