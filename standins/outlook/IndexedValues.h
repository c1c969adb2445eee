#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "runtime/Variant.h"
#include "standins/outlook/ItemIndex.h"

struct sqlite3;

namespace ostrellix::standin::outlook {

// An item's index entries as its own row keeps them (items.index_values),
// beside the lookup table that finds items by entry (item_values). A filter
// checks a candidate's conditions on that column, with the SQL function
// indexed_match(index_values, key, operator, value), instead of one lookup
// per condition in a table ordered by item; and a save rewrites no page of
// such a table, only the row it rewrites anyway.
//
// The column holds, for each entry, its key (4-byte length, bytes), a kind
// byte, and the value: text (4-byte length, bytes) or a number (8-byte
// double), little-endian. NULL holds no entries.
class IndexedValues {
public:
    static Bytes Encode(const std::vector<ItemIndex::Entry>& entries);
    // Raises the store's error when the bytes are not such a column.
    static std::vector<ItemIndex::Entry> Decode(std::span<const std::uint8_t> bytes);

    // indexed_match(index_values, key, operator, value): 1 when an entry
    // under `key` whose value is of the value's kind (text, or a number)
    // compares to it as `operator` ("=", "<>", "<", "<=", ">", ">=") says,
    // as SQLite compares such values (text byte by byte); else 0.
    static void Register(sqlite3* db);
};

}  // namespace ostrellix::standin::outlook
