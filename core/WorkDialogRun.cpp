#include "core/WorkDialogRun.h"

#include "runtime/Connection.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

void WorkDialogRun::Show(Ptr<kelo::IWorkDialog>& dialog, const std::function<void()>& work) {
    Connection connection = dialog->Events().Work.Connect(work);
    const auto release = [&] {
        connection.Disconnect();
        dialog.reset();
    };
    PassOn([&] { dialog->Show(); }, release);
    release();
}

}  // namespace ostrellix::addin
