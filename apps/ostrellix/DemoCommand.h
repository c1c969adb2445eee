#pragma once

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix demo`: a narrated tour of the add-in on the workspace: the
// client starting with the add-in, Outlook started by the user and found
// by the add-in's timer, the category it brings, and its options.
class DemoCommand {
public:
    static int Run(Host& host);
};

}  // namespace ostrellix::host
