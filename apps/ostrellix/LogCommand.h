#pragma once

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix log`: the entries the add-in left in the Kelo log, and the
// debug log "Ostrellix.log" of the working folder (written while the
// per-user value "Debug" is set: `ostrellix log --debug on`).
class LogCommand {
public:
    static int Run(Host& host, int tail);
    static int SetDebug(Host& host, bool on);
};

}  // namespace ostrellix::host
