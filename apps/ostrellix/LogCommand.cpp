#include "apps/ostrellix/LogCommand.h"

#include <fstream>
#include <ostream>

#include "core/AddinConstants.h"
#include "standins/kelo/engine/Log.h"

namespace ostrellix::host {

int LogCommand::Run(Host& host, int tail) {
    std::ostream& out = host.Out();
    const auto log = As<standin::kelo::Log>(host.TheMachine().KeloApp().Log());
    const auto entries = log->Entries(tail > 0 ? static_cast<std::size_t>(tail) : 0);
    out << "Kelo log (" << entries.size() << " entries):\n";
    for (const auto& entry : entries) {
        out << "  " << entry.time.ToString() << "  type " << entry.type << "  " << entry.source << "  "
            << entry.location << (entry.code.empty() ? "" : "  code " + entry.code) << "\n      " << entry.message
            << "\n";
    }
    const auto file = host.TheWorkspace().Work() / "Ostrellix.log";
    std::ifstream in(file);
    if (!in) {
        out << "Debug log: none yet (" << file.string() << "; turn it on with: ostrellix log --debug on)\n";
        return 0;
    }
    out << "Debug log " << file.string() << ":\n" << in.rdbuf();
    return 0;
}

int LogCommand::SetDebug(Host& host, bool on) {
    host.TheMachine().System().Settings().SaveSetting(addin::kSettingsApplication, addin::kSettingsSection, "Debug",
                                                      on ? "1" : "0");
    host.Out() << "The debug log is " << (on ? "on" : "off") << ".\n";
    return 0;
}

}  // namespace ostrellix::host
