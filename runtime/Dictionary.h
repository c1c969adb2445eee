#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix {

// The scripting runtime's Dictionary: text keys in insertion order, each
// with a value. Adding a key twice raises 457; removing a missing key
// raises 32811. Lookups and removal are constant time.
class Dictionary : public virtual Object {
public:
    using Entry = std::pair<const std::string, Variant>;
    using const_iterator = std::list<Entry>::const_iterator;
    using iterator = std::list<Entry>::iterator;

    Dictionary() = default;
    // The index refers to the entries' own keys.
    Dictionary(const Dictionary&) = delete;
    Dictionary& operator=(const Dictionary&) = delete;

    void Add(std::string key, Variant item);
    bool Exists(std::string_view key) const;
    // The item under `key`; Empty when the key is absent.
    Variant Item(std::string_view key) const;
    // The item under `key` in place, for a caller that reads and replaces
    // it with one lookup; null when the key is absent.
    Variant* Find(std::string_view key);
    const Variant* Find(std::string_view key) const;
    // Replaces the item, or adds the key at the end when absent.
    void SetItem(std::string key, Variant item);
    void Remove(std::string_view key);
    void RemoveAll();
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

    std::vector<std::string> Keys() const;
    std::vector<Variant> Items() const;
    const_iterator begin() const { return entries_.begin(); }
    const_iterator end() const { return entries_.end(); }
    // The items can be replaced in place; the keys and their order stay.
    iterator begin() { return entries_.begin(); }
    iterator end() { return entries_.end(); }

private:
    std::list<Entry> entries_;
    // Keyed by views of the entries' keys, which the list keeps in place:
    // a lookup by a view makes no copy of it.
    std::unordered_map<std::string_view, iterator> index_;
};

}  // namespace ostrellix
