#include "sync/Synchronizer.h"

#include "core/Globals.h"
#include "core/Options.h"

namespace ostrellix::addin {

bool Synchronizer::IsSynchronizationEnabled() {
    const auto user = Globals::Application()->ActiveUser();
    const auto coworker = user ? user->Record() : nullptr;
    return coworker && coworker->ID() == Globals::Options()->SynchronizationUser();
}

}  // namespace ostrellix::addin
