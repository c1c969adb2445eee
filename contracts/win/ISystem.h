#pragma once

#include <string_view>

#include "contracts/win/IClock.h"
#include "contracts/win/IDebugOutput.h"
#include "contracts/win/IFormHost.h"
#include "contracts/win/IMessageBox.h"
#include "contracts/win/IPopupMenus.h"
#include "contracts/win/IRunningObjectTable.h"
#include "contracts/win/ISettingsStore.h"
#include "runtime/Object.h"

namespace ostrellix::win {

// The operating system as the add-in sees it: the current user's settings,
// the debugger output, the platform message box, the running-object table,
// the clock, the window system's part in the program's own dialogs and
// pop-up menus, and
// object creation by ProgID (the platform's CreateObject, for example
// "WScript.Shell" or "Outlook.Application"). One per process.
class ISystem {
public:
    virtual ~ISystem() = default;

    virtual ISettingsStore& Settings() = 0;
    virtual IDebugOutput& DebugOutput() = 0;
    virtual IMessageBox& MessageBox() = 0;
    virtual IRunningObjectTable& RunningObjects() = 0;
    virtual IClock& Clock() = 0;
    virtual IFormHost& Forms() = 0;
    virtual IPopupMenus& Menus() = 0;
    // Raises 429 when no class is registered under the ProgID.
    virtual ObjectPtr CreateObject(std::string_view progId) = 0;
};

}  // namespace ostrellix::win
