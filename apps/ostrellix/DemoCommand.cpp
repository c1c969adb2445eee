#include "apps/ostrellix/DemoCommand.h"

#include <ostream>

#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"

namespace ostrellix::host {

namespace {

void Say(std::ostream& out, int step, const std::string& text) { out << "\n" << step << ". " << text << "\n"; }

}  // namespace

int DemoCommand::Run(Host& host) {
    using addin::Globals;
    std::ostream& out = host.Out();
    Machine& machine = host.TheMachine();
    out << "Ostrellix: the Outlook add-in of the Kelo client, on the workspace\n  "
        << host.TheWorkspace().Root().string() << "\n(lines marked | are the add-in's own debug output)\n";

    host.ShowDebugOutput(true);
    Say(out, 1, "The Kelo client starts and loads the add-in; Outlook is not running yet.");
    host.Start();
    const auto database = Globals::Application()->Database();
    out << "   Connected to the Kelo database \"" << database->Name() << "\" as "
        << Globals::Application()->ActiveUser()->Name() << "; the add-in leaves Outlook alone.\n";

    Say(out, 2, "The user starts Outlook.");
    host.ShowDebugOutput(false);
    machine.StartOutlook();
    out << "   Outlook " << machine.Outlook().Running()->Version() << " runs on the profile of "
        << machine.OutlookProfile().Setup().user.name << ".\n";

    Say(out, 3, "Thirty seconds later the add-in's connection timer finds Outlook and attaches to it.");
    host.ShowDebugOutput(true);
    machine.KeloUser().AdvanceTime(addin::kConnectionTimerInterval);
    host.ShowDebugOutput(false);
    const auto outlook = Globals::OutlookIfRunning();
    if (!outlook) {
        out << "   The add-in did not attach to Outlook (see ostrellix log).\n";
        return 2;
    }
    const std::string category = addin::Tools::GetText("CategoryName");
    const auto found = outlook->Session()->Categories()->Item(category);
    out << "   Attached to Outlook " << outlook->Version() << " (major version "
        << Globals::GetOutlookMajorVersion() << "); Outlook's category \"" << category << "\" "
        << (found ? "is there, colour " + std::to_string(found->Color()) : std::string("is missing")) << ".\n";

    Say(out, 4, "The add-in's options, read from the Kelo database and the user's settings:");
    const auto options = Globals::Options();
    out << "   drag and drop into Kelo:        " << (options->AllowDragDrop() ? "allowed" : "off") << "\n"
        << "   export to Outlook:              " << (options->AllowExport() ? "allowed" : "off") << "\n"
        << "   synchronize at start-up:        " << (options->SynchronizeAtStartup() ? "yes" : "no") << "\n"
        << "   save outgoing mail (mode):      " << options->SaveOutgoingMailMode() << "\n"
        << "   database tag of marked items:   " << options->OriginalServerName() << "."
        << options->OriginalDatabaseName() << "\n"
        << "   (all of them: ostrellix options list)\n";

    Say(out, 5, "The Kelo client shuts down and lets the add-in go.");
    host.ShowDebugOutput(true);
    host.Stop();
    host.ShowDebugOutput(false);
    out << "\nDone.\n";
    return 0;
}

}  // namespace ostrellix::host
