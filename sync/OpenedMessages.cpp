#include "sync/OpenedMessages.h"

namespace ostrellix::addin {

namespace {

// Everything runs on the host's one thread.
OpenedMessages* current = nullptr;

}  // namespace

OpenedMessages::OpenedMessages() : outer_(current) { current = this; }

OpenedMessages::~OpenedMessages() { current = outer_; }

Ptr<mapi::IMessage> OpenedMessages::Find(std::string_view entryId) {
    if (!current || entryId.empty()) return nullptr;
    const auto found = current->messages_.find(entryId);
    return found == current->messages_.end() ? nullptr : found->second;
}

void OpenedMessages::Keep(const std::string& entryId, const Ptr<mapi::IMessage>& message) {
    if (current && !entryId.empty()) current->messages_[entryId] = message;
}

void OpenedMessages::Release(std::string_view entryId) {
    if (!current) return;
    if (const auto found = current->messages_.find(entryId); found != current->messages_.end()) {
        current->messages_.erase(found);
    }
}

}  // namespace ostrellix::addin
