#include "standins/outlook/IndexedKeys.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "runtime/ErrorHandling.h"
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
        SQLite::Statement messages(db_.Sql(), "SELECT id, folder_id, data FROM items");
        while (messages.executeStep()) {
            ++read;
            const SQLite::Column blob = messages.getColumn(2);
            const auto* bytes = static_cast<const std::uint8_t*>(blob.getBlob());
            std::vector<ItemIndex::Entry> rows;
            IgnoreErrors([&] {
                rows =
                    ItemIndex::Entries(MessageCodec::Decode({bytes, static_cast<std::size_t>(blob.getBytes())}), keys);
            });
            Insert(messages.getColumn(0).getInt64(), messages.getColumn(1).getInt64(), rows);
        }
        keys_.insert(keys.begin(), keys.end());
        return read;
    });
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
        db_.Prepared("INSERT OR IGNORE INTO item_values(item_id, key, value, folder_id) VALUES(?, ?, ?, ?)");
    for (const ItemIndex::Entry& entry : rows) {
        insert.bind(1, itemId);
        insert.bind(2, entry.key);
        Bind(insert, 3, entry.value);
        insert.bind(4, folderId);
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
