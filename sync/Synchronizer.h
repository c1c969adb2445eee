#pragma once

#include "runtime/Object.h"

namespace ostrellix::addin {

// The add-in's workhorse for everything that moves data between Kelo
// records and Outlook items. One instance lives in Globals, created on
// first request.
class Synchronizer : public virtual Object {
public:
    // True when the Kelo user is the one whose coworker record the
    // per-user option SynchronizationUser names.
    bool IsSynchronizationEnabled();
};

}  // namespace ostrellix::addin
