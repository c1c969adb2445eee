#include "standins/outlook/Errors.h"

#include "runtime/ComError.h"

namespace ostrellix::standin::outlook::errors {

void Raise(std::int32_t number, std::string description) { throw ComError(number, kSource, std::move(description)); }

void RaiseDisconnected() {
    Raise(ol::kDisconnected, "The object invoked has disconnected from its clients (Outlook is no longer running).");
}

void RaiseRpcUnavailable() { Raise(kRpcUnavailable, "The RPC server is unavailable."); }

void RaiseMovedOrDeleted() { Raise(ol::kItemMovedOrDeleted, "The item has been moved or deleted."); }

void RaiseNotAvailable(const std::string& member) {
    Raise(kNotAvailable, member + " is not available in this build: it needs the message-file support.");
}

}  // namespace ostrellix::standin::outlook::errors
