#pragma once

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix status`: where the workspace is, what the add-in is connected
// to (the Kelo database and user, Outlook and its version, the MAPI
// session) and whether synchronization is enabled for the user.
class StatusCommand {
public:
    static int Run(Host& host);
};

}  // namespace ostrellix::host
