#include "standins/outlook/IndexedKeys.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "runtime/ErrorHandling.h"
#include "standins/outlook/IndexedValues.h"
#include "standins/outlook/MessageCodec.h"
#include "standins/outlook/StoreDatabase.h"

namespace ostrellix::standin::outlook {

IndexedKeys::IndexedKeys(StoreDatabase& db) : db_(db) { Reload(); }

ItemIndex::Keys IndexedKeys::Missing(const std::vector<std::string>& keys) const {
    ItemIndex::Keys missing;
    for (const std::string& key : keys) {
        if (!keys_.contains(key)) missing.insert(key);
    }
    return missing;
}

std::int64_t IndexedKeys::Add(const ItemIndex::Keys& keys) {
    return db_.Guard("index messages", [&] {
        SQLite::Statement& remember = db_.Prepared("INSERT INTO indexed_keys(key) VALUES(?)");
        for (const std::string& key : keys) {
            remember.bind(1, key);
            remember.exec();
            remember.reset();
        }
        std::int64_t read = 0;
        // The items' own entries are written once the walk through them is done.
        std::vector<std::pair<std::int64_t, Bytes>> itemEntries;
        SQLite::Statement messages(db_.Sql(), "SELECT id, folder_id, data, index_values FROM items");
        while (messages.executeStep()) {
            ++read;
            const SQLite::Column blob = messages.getColumn(2);
            const auto* bytes = static_cast<const std::uint8_t*>(blob.getBlob());
            std::vector<ItemIndex::Entry> added;
            IgnoreErrors([&] {
                added =
                    ItemIndex::Entries(MessageCodec::Decode({bytes, static_cast<std::size_t>(blob.getBytes())}), keys);
            });
            if (added.empty()) continue;
            const std::int64_t itemId = messages.getColumn(0).getInt64();
            Insert(itemId, messages.getColumn(1).getInt64(), added);
            std::vector<ItemIndex::Entry> entries = StoredEntries(messages.getColumn(3));
            entries.insert(entries.end(), added.begin(), added.end());
            itemEntries.emplace_back(itemId, IndexedValues::Encode(ItemIndex::Sorted(std::move(entries))));
        }
        SQLite::Statement& write = db_.Prepared("UPDATE items SET index_values = ? WHERE id = ?");
        for (const auto& [itemId, entries] : itemEntries) {
            write.bind(1, entries.data(), static_cast<int>(entries.size()));
            write.bind(2, itemId);
            write.exec();
            write.reset();
        }
        keys_.insert(keys.begin(), keys.end());
        return read;
    });
}

std::vector<ItemIndex::Entry> IndexedKeys::StoredEntries(const SQLite::Column& column) {
    const auto* bytes = static_cast<const std::uint8_t*>(column.getBlob());
    return IndexedValues::Decode({bytes, bytes ? static_cast<std::size_t>(column.getBytes()) : 0});
}

void IndexedKeys::Reload() {
    db_.Guard("read the index", [&] {
        keys_.clear();
        SQLite::Statement& query = db_.Prepared("SELECT key FROM indexed_keys");
        while (query.executeStep()) keys_.insert(query.getColumn(0).getString());
        query.reset();
    });
}

void IndexedKeys::Insert(std::int64_t itemId, std::int64_t folderId, const std::vector<ItemIndex::Entry>& rows) {
    SQLite::Statement& insert =
        db_.Prepared("INSERT OR IGNORE INTO item_values(folder_id, key, value, item_id) VALUES(?, ?, ?, ?)");
    for (const ItemIndex::Entry& entry : rows) {
        insert.bind(1, folderId);
        insert.bind(2, entry.key);
        Bind(insert, 3, entry.value);
        insert.bind(4, itemId);
        insert.exec();
        insert.reset();
    }
}

void IndexedKeys::Bind(SQLite::Statement& statement, int index, const ItemIndex::Value& value) {
    if (const auto* number = std::get_if<double>(&value)) {
        statement.bind(index, *number);
    } else {
        statement.bind(index, std::get<std::string>(value));
    }
}

}  // namespace ostrellix::standin::outlook
