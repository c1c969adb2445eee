#include "runtime/Connection.h"

namespace ostrellix {

Connection& Connection::operator=(Connection&& other) noexcept {
    if (this != &other) {
        Disconnect();
        slot_ = std::move(other.slot_);
    }
    return *this;
}

void Connection::Disconnect() {
    if (auto slot = slot_.lock()) slot->connected = false;
    slot_.reset();
}

bool Connection::Connected() const {
    auto slot = slot_.lock();
    return slot && slot->connected;
}

}  // namespace ostrellix
