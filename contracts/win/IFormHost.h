#pragma once

#include "contracts/win/IForm.h"

namespace ostrellix::win {

// The window system's part in a program's own dialogs. ShowModal loads the
// dialog, shows it over the active window and returns once it is hidden
// (the dialog hides itself, or the person closes its window).
class IFormHost {
public:
    virtual ~IFormHost() = default;
    virtual void ShowModal(const Ptr<IForm>& form) = 0;
};

}  // namespace ostrellix::win
