#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "runtime/TextHash.h"
#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::outlook {

// Messages read from the store lately, each with the store's change serial
// at the read, so that a message read again while it has not changed is not
// read and decoded twice: a synchronization finds the items of all records
// changed in Kelo first and works through them afterwards, through the
// object model and the MAPI library alike. Holds at most `capacity`
// messages, dropping the one read longest ago. Holders share the decoded
// message (SharedMessage).
class RecentMessages {
public:
    explicit RecentMessages(std::size_t capacity) : capacity_(capacity) {}

    void Add(const StoredMessage& message, std::uint64_t serial);
    // The message under its normalized EntryID and the serial it was read
    // at; null when none is held.
    const StoredMessage* Find(std::string_view entryId, std::uint64_t& serial) const;

private:
    struct Held {
        StoredMessage message;
        std::uint64_t serial;
    };

    std::size_t capacity_;
    std::unordered_map<std::string, Held, TextHash, std::equal_to<>> held_;
    std::deque<std::string> order_;
};

}  // namespace ostrellix::standin::outlook
