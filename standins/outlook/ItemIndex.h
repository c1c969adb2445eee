#pragma once

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "runtime/Variant.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// What the store indexes of an item so that filters need not read items:
// the filterable Outlook properties and the user properties it carries,
// each under a key (the property's Outlook name, or "u:" and the user
// property's name, in lower case), of the keys the store indexes
// (IndexedKeys). Text is kept in lower case, since
// filters compare text without regard to case; numbers and Booleans (1, 0)
// as numbers, dates as their whole seconds since 1899-12-30 (so that a
// time and the same time written in a filter compare equal, whatever the
// rounding of the day fraction). Multi-valued text gives one entry per value.
class ItemIndex {
public:
    using Value = std::variant<double, std::string>;
    struct Entry {
        std::string key;
        Value value;
        bool operator==(const Entry&) const = default;
    };
    using Keys = std::set<std::string, std::less<>>;

    // The message's entries under `keys`.
    static std::vector<Entry> Entries(const msg::MessageData& message, const Keys& keys);
    // Key and value order.
    static bool Before(const Entry& a, const Entry& b);
    // `entries` in that order, each once: as an item's row and the lookup
    // table keep them.
    static std::vector<Entry> Sorted(std::vector<Entry> entries);

    static std::string KeyOfProperty(std::string_view outlookName);
    static std::string KeyOfUserProperty(std::string_view name);
    // A value as the index keeps it; nothing for a value it does not keep.
    static std::optional<Value> IndexValue(const Variant& value);
    static double DateKey(Date date);
};

}  // namespace ostrellix::standin::outlook
