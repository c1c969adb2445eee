#include "standins/outlook/RecentMessages.h"

namespace ostrellix::standin::outlook {

void RecentMessages::Add(const StoredMessage& message, std::uint64_t serial) {
    if (capacity_ == 0) return;
    if (const auto found = held_.find(message.entryId); found != held_.end()) {
        found->second = {message, serial};
        return;
    }
    if (held_.size() == capacity_) {
        held_.erase(order_.front());
        order_.pop_front();
    }
    held_.emplace(message.entryId, Held{message, serial});
    order_.push_back(message.entryId);
}

const StoredMessage* RecentMessages::Find(std::string_view entryId, std::uint64_t& serial) const {
    const auto found = held_.find(entryId);
    if (found == held_.end()) return nullptr;
    serial = found->second.serial;
    return &found->second.message;
}

}  // namespace ostrellix::standin::outlook
