#pragma once

#include "contracts/win/ISettingsStore.h"
#include "contracts/win/IShell.h"
#include "standins/system/Programs.h"

namespace ostrellix::standin::system {

// "WScript.Shell": registry writes land in the settings store; Run starts
// one of the registered programs (the program runs to completion inside the
// call, so waiting or not makes no difference here).
class Shell final : public win::IShell {
public:
    Shell(win::ISettingsStore& settings, const Programs& programs);

    void RegWrite(std::string_view name, const Variant& value, std::string_view type) override;
    Variant RegRead(std::string_view name) override;
    std::int32_t Run(std::string_view command, std::int32_t windowStyle, bool waitOnReturn) override;

private:
    win::ISettingsStore& settings_;
    const Programs& programs_;
};

}  // namespace ostrellix::standin::system
