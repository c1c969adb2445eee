#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "standins/outlook/ItemIndex.h"

namespace SQLite {
class Column;
class Statement;
}

namespace ostrellix::standin::outlook {

class StoreDatabase;

// The keys the store indexes (ItemIndex): those some filter has asked for.
// Indexing every key of every message made each save rewrite entries that
// nothing looks up (a changed subject, a checksum in a user property), a
// page or two each. Instead a key is indexed over every stored message the
// first time a filter uses it, as a store builds what a restriction needs
// when it first meets one, and saves keep it from then on.
class IndexedKeys {
public:
    explicit IndexedKeys(StoreDatabase& db);

    const ItemIndex::Keys& Keys() const { return keys_; }
    // Of `keys`, those not indexed yet.
    ItemIndex::Keys Missing(const std::vector<std::string>& keys) const;
    // Indexes `keys` over every stored message, within the caller's
    // transaction; returns how many messages were read. A message that
    // cannot be decoded gets no entries: no filter could match it.
    std::int64_t Add(const ItemIndex::Keys& keys);
    // Reads the keys again: a rollback takes back those it added.
    void Reload();

    // Writes the item's rows of the lookup table (repeats once).
    void Insert(std::int64_t itemId, std::int64_t folderId, const std::vector<ItemIndex::Entry>& rows);
    static void Bind(SQLite::Statement& statement, int index, const ItemIndex::Value& value);
    // The entries an item's index_values column holds.
    static std::vector<ItemIndex::Entry> StoredEntries(const SQLite::Column& column);

private:
    StoreDatabase& db_;
    ItemIndex::Keys keys_;
};

}  // namespace ostrellix::standin::outlook
