#pragma once

#include <functional>

#include "contracts/kelo/IWorkDialog.h"

namespace ostrellix::addin {

// Shows the client's work dialog with `work` as its Work handler, and lets
// go of both when Show returns, also when the work failed: the dialog
// lives for one piece of work.
class WorkDialogRun {
public:
    static void Show(Ptr<kelo::IWorkDialog>& dialog, const std::function<void()>& work);
};

}  // namespace ostrellix::addin
