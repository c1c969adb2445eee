#include "apps/ostrellix/StatusCommand.h"

#include <ostream>

#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"

namespace ostrellix::host {

int StatusCommand::Run(Host& host) {
    using addin::Globals;
    std::ostream& out = host.Out();
    host.Start();
    const auto database = Globals::Application()->Database();
    const auto user = Globals::Application()->ActiveUser();
    out << "Workspace:       " << host.TheWorkspace().Root().string() << (host.TheWorkspace().New() ? " (new)" : "")
        << "\n";
    out << "Kelo database:   " << database->Name() << " on " << database->Server() << ", user "
        << (user ? user->Name() : std::string("(none)")) << "\n";
    out << "Add-in:          " << (Globals::Addin() ? "loaded" : "not loaded") << ", texts in "
        << Globals::Application()->Language() << "\n";
    if (const auto outlook = Globals::OutlookIfRunning()) {
        out << "Outlook:         running, version " << outlook->Version() << " (major "
            << Globals::GetOutlookMajorVersion() << ")\n";
    } else {
        out << "Outlook:         not running (start it with --outlook)\n";
    }
    out << "Synchronization: ";
    if (Globals::Synchronizer()->IsSynchronizationEnabled()) {
        out << "enabled for coworker " << Globals::Options()->SynchronizationUser() << "\n";
    } else {
        out << "not enabled for this user\n";
    }
    out << "Settings file:   " << host.TheMachine().System().Settings().File().string() << "\n";
    out << "Working folder:  " << host.TheWorkspace().Work().string() << "\n";
    return 0;
}

}  // namespace ostrellix::host
