#include "standins/outlook/MessageStore.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>
#include <iterator>
#include <tuple>

#include "contracts/outlook/Constants.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/FilterQuery.h"
#include "standins/outlook/Identifiers.h"
#include "standins/outlook/IndexedKeys.h"
#include "standins/outlook/IndexedValues.h"
#include "standins/outlook/ItemIndex.h"
#include "standins/outlook/MessageCodec.h"
#include "standins/outlook/StoreDatabase.h"

namespace ostrellix::standin::outlook {

namespace {

void BindId(SQLite::Statement& statement, int index, std::string_view id) {
    statement.bind(index, ids::Normalized(id));
}

// Embedded messages are shared between copies, so a message with one is read afresh each time.
bool Shareable(const StoredMessage& message) {
    return std::ranges::none_of(message.data.Read().attachments,
                                [](const msg::AttachmentData& attachment) { return attachment.embedded != nullptr; });
}

// A message from a row of FilterQuery::kRowColumns, decoded straight from
// the row: a copy of its bytes would only pass through the heap, and a run
// reads every synchronized item.
StoredMessage FromRow(SQLite::Statement& query) {
    const SQLite::Column blob = query.getColumn(3);
    const auto* bytes = static_cast<const std::uint8_t*>(blob.getBlob());
    return {query.getColumn(0).getString(), query.getColumn(1).getString(),
            query.getColumn(2).getInt64(),  MessageCodec::Decode({bytes, static_cast<std::size_t>(blob.getBytes())}),
            query.getColumn(4).getInt64(),  query.getColumn(5).getInt64()};
}

}  // namespace

MessageStore::MessageStore(StoreDatabase& db, win::IClock& clock)
    : db_(db), clock_(clock), namedProperties_(db), folders_(db), indexed_(db), random_(std::random_device{}()) {}

// ---- transactions and notification ----

void MessageStore::BeginWrite() { db_.Begin(); }

void MessageStore::CommitWrite() {
    db_.Commit();
    if (db_.Depth() > 0) return;
    counters_->storePagesWritten += db_.TakePagesWritten();
    std::vector<StoreChange> changes;
    changes.swap(pending_);
    for (const StoreChange& change : changes) Changed.Raise(change);
}

void MessageStore::RollbackWrite() {
    // What was read or written inside the transaction is gone, also as
    // what an item's index rows hold.
    rolledBackAt_ = ++serial_;
    lastLoaded_.reset();
    lastRows_.reset();
    db_.Rollback();
    indexed_.Reload();
    if (db_.Depth() == 0) pending_.clear();
}

void MessageStore::Notify(StoreChange change) {
    changedAt_[change.entryId] = ++serial_;
    pending_.push_back(std::move(change));
}

bool MessageStore::UnchangedSince(std::string_view entryId, std::uint64_t seen) const {
    if (seen == 0 || seen < rolledBackAt_) return false;
    if (seen == serial_) return true;
    const auto changed = changedAt_.find(ids::Normalized(entryId));
    return changed == changedAt_.end() || changed->second <= seen;
}

StoreTransaction::StoreTransaction(MessageStore& store) : store_(store) { store_.BeginWrite(); }

StoreTransaction::~StoreTransaction() {
    if (!done_) IgnoreErrors([&] { store_.RollbackWrite(); });
}

void StoreTransaction::Commit() {
    done_ = true;
    store_.CommitWrite();
}

// ---- identifiers ----

std::string MessageStore::NewEntryId(std::string_view folderEntryId) {
    // The folder's StoreID (its first 40 digits), a message marker, and 16 random digits.
    return std::string(folderEntryId.substr(0, 40)) + "0700" + ids::RandomHex(random_, 16);
}

// ---- mailboxes and folders: the folder table's ----

FolderInfo MessageStore::CreateFolder(std::string_view parentEntryId, std::string_view name, std::int32_t itemType) {
    FolderInfo folder = folders_.CreateFolder(parentEntryId, name, itemType);
    ++serial_;
    return folder;
}

// ---- messages ----

void MessageStore::StampTimes(msg::MessageData& data, bool isNew) {
    Date now = clock_.Now();
    const Variant last = data.properties.GetValue(msg::tag::PR_LAST_MODIFICATION_TIME);
    if (last.IsDate() && !(now > last.ToDate())) now = last.ToDate().AddSeconds(1);
    data.properties.Set(msg::tag::PR_LAST_MODIFICATION_TIME, Variant(now));
    if (isNew && !data.properties.Get(msg::tag::PR_CREATION_TIME)) {
        data.properties.Set(msg::tag::PR_CREATION_TIME, Variant(now));
    }
}

// An item's index entries in the lookup table's order, each once: an
// entry is its item, key and value, so repeats are kept once.
std::vector<ItemIndex::Entry> MessageStore::IndexRows(const msg::MessageData& data) const {
    return ItemIndex::Sorted(ItemIndex::Entries(data, indexed_.Keys()));
}

void MessageStore::WriteIndex(std::int64_t itemId, std::int64_t folderId, const std::vector<ItemIndex::Entry>& rows,
                              const std::vector<ItemIndex::Entry>& was) {
    // A save changes a few of an item's index entries (its modification
    // time, a user property or two): only those rows are written, a changed
    // value in its own row, which keeps a save's pages, and so its commit,
    // few.
    std::vector<ItemIndex::Entry> wanted;
    std::vector<ItemIndex::Entry> stale;
    std::ranges::set_difference(was, rows, std::back_inserter(stale), ItemIndex::Before);
    std::ranges::set_difference(rows, was, std::back_inserter(wanted), ItemIndex::Before);
    SQLite::Statement& change =
        db_.Prepared("UPDATE item_values SET value = ? WHERE folder_id = ? AND key = ? AND value = ? AND item_id = ?");
    SQLite::Statement& remove =
        db_.Prepared("DELETE FROM item_values WHERE folder_id = ? AND key = ? AND value = ? AND item_id = ?");
    for (const ItemIndex::Entry& old : stale) {
        const auto replacement =
            std::ranges::find_if(wanted, [&](const ItemIndex::Entry& entry) { return entry.key == old.key; });
        const bool replaced = replacement != wanted.end();
        SQLite::Statement& statement = replaced ? change : remove;
        const int first = replaced ? 2 : 1;
        if (replaced) IndexedKeys::Bind(change, 1, replacement->value);
        statement.bind(first, folderId);
        statement.bind(first + 1, old.key);
        IndexedKeys::Bind(statement, first + 2, old.value);
        statement.bind(first + 3, itemId);
        if (replaced) wanted.erase(replacement);
        statement.exec();
        statement.reset();
    }
    indexed_.Insert(itemId, folderId, wanted);
}

std::int64_t MessageStore::Create(std::string_view folderEntryId, std::string_view entryId, msg::MessageData& data) {
    StampTimes(data, true);
    const Bytes blob = MessageCodec::Encode(data);
    std::vector<ItemIndex::Entry> rows = IndexRows(data);
    db_.Guard("store a message", [&] {
        StoreTransaction transaction(*this);
        const std::int64_t folderId = folders_.RowId(folderEntryId);
        SQLite::Statement& insert =
            db_.Prepared("INSERT INTO items(entry_id, folder_id, revision, data, index_values) VALUES(?, ?, 1, ?, ?)");
        BindId(insert, 1, entryId);
        insert.bind(2, folderId);
        insert.bind(3, blob.data(), static_cast<int>(blob.size()));
        const Bytes entries = IndexedValues::Encode(rows);
        insert.bind(4, entries.data(), static_cast<int>(entries.size()));
        insert.exec();
        insert.reset();
        const std::int64_t rowId = db_.Sql().getLastInsertRowid();
        WriteIndex(rowId, folderId, rows, {});
        Notify({StoreChange::Kind::Added, ids::Normalized(folderEntryId), ids::Normalized(entryId)});
        // Readers follow a save at once (the other API's copy, the change
        // event's item): what was written needs no read while nothing else
        // changes. A rollback moves the serial on and so drops it.
        Keep({ids::Normalized(entryId), ids::Normalized(folderEntryId), 1, data, rowId, folderId}, std::move(rows));
        transaction.Commit();
    });
    return 1;
}

MessageStore::StoredRow MessageStore::RowOf(std::string_view entryId) {
    // Only this process writes the store: while the kept message did not
    // change, it says where the message is.
    if (lastLoaded_ && lastLoaded_->rowId != 0 && lastLoaded_->entryId == ids::Normalized(entryId) &&
        UnchangedSince(entryId, lastLoadedSerial_)) {
        return {lastLoaded_->rowId, lastLoaded_->folderRowId, lastLoaded_->revision, lastLoaded_->folderEntryId,
                std::nullopt};
    }
    SQLite::Statement& query = db_.Prepared(
        "SELECT i.id, i.folder_id, i.revision, f.entry_id, i.index_values FROM items i "
        "JOIN folders f ON f.id = i.folder_id WHERE i.entry_id = ?");
    BindId(query, 1, entryId);
    if (!query.executeStep()) errors::RaiseMovedOrDeleted();
    StoredRow row{query.getColumn(0).getInt64(), query.getColumn(1).getInt64(), query.getColumn(2).getInt64(),
                  query.getColumn(3).getString(), std::nullopt};
    PassOn([&] { row.entries = IndexedKeys::StoredEntries(query.getColumn(4)); }, [&] { query.reset(); });
    query.reset();
    return row;
}

// Written in IndexRows' order.
std::vector<ItemIndex::Entry> MessageStore::EntriesOf(StoredRow& row) {
    if (row.entries) return std::move(*row.entries);
    SQLite::Statement& existing = db_.Prepared("SELECT index_values FROM items WHERE id = ?");
    existing.bind(1, row.id);
    std::vector<ItemIndex::Entry> entries;
    if (existing.executeStep()) entries = IndexedKeys::StoredEntries(existing.getColumn(0));
    existing.reset();
    return entries;
}

std::int64_t MessageStore::Update(std::string_view entryId, msg::MessageData& data) {
    StampTimes(data, false);
    const Bytes blob = MessageCodec::Encode(data);
    std::vector<ItemIndex::Entry> rows = IndexRows(data);
    const std::string id = ids::Normalized(entryId);
    return db_.Guard("store a message", [&] {
        StoreTransaction transaction(*this);
        StoredRow row = RowOf(id);
        const std::int64_t next = row.revision + 1;
        // The message kept from the item's last read or save is what its
        // index rows were written from, as long as nothing saved it since.
        const bool held = lastLoaded_ && lastLoaded_->revision == row.revision && lastLoaded_->entryId == id;
        if (held && !lastRows_) lastRows_ = IndexRows(lastLoaded_->data.Read());
        const std::vector<ItemIndex::Entry> was = held ? std::move(*lastRows_) : EntriesOf(row);
        SQLite::Statement& update =
            db_.Prepared("UPDATE items SET revision = ?, data = ?, index_values = ? WHERE id = ?");
        update.bind(1, next);
        update.bind(2, blob.data(), static_cast<int>(blob.size()));
        const Bytes entries = IndexedValues::Encode(rows);
        update.bind(3, entries.data(), static_cast<int>(entries.size()));
        update.bind(4, row.id);
        update.exec();
        update.reset();
        WriteIndex(row.id, row.folderId, rows, was);
        Notify({StoreChange::Kind::Modified, row.folderEntryId, id});
        Keep({id, row.folderEntryId, next, data, row.id, row.folderId}, std::move(rows));
        transaction.Commit();
        return next;
    });
}

void MessageStore::Move(std::string_view entryId, std::string_view folderEntryId) {
    const std::optional<std::string> from = FolderOfMessage(entryId);
    if (!from) errors::RaiseMovedOrDeleted();
    const std::optional<FolderInfo> to = Folder(folderEntryId);
    if (!to) errors::Raise(errors::kNotFound, "The folder " + std::string(folderEntryId) + " does not exist.");
    if (*from == to->entryId) return;
    db_.Guard("move a message", [&] {
        StoreTransaction transaction(*this);
        StoredRow row = RowOf(entryId);
        const std::int64_t folderId = folders_.RowId(to->entryId);
        const std::vector<ItemIndex::Entry> entries = EntriesOf(row);
        WriteIndex(row.id, row.folderId, {}, entries);
        indexed_.Insert(row.id, folderId, entries);
        SQLite::Statement update(db_.Sql(), "UPDATE items SET folder_id = ?, revision = revision + 1 WHERE id = ?");
        update.bind(1, folderId);
        update.bind(2, row.id);
        update.exec();
        Notify({StoreChange::Kind::Removed, *from, ids::Normalized(entryId)});
        Notify({StoreChange::Kind::Added, to->entryId, ids::Normalized(entryId)});
        transaction.Commit();
    });
}

void MessageStore::Delete(std::string_view entryId) {
    const std::optional<std::string> folder = FolderOfMessage(entryId);
    if (!folder) errors::RaiseMovedOrDeleted();
    db_.Guard("delete a message", [&] {
        StoreTransaction transaction(*this);
        StoredRow row = RowOf(entryId);
        WriteIndex(row.id, row.folderId, {}, EntriesOf(row));
        SQLite::Statement remove(db_.Sql(), "DELETE FROM items WHERE id = ?");
        remove.bind(1, row.id);
        remove.exec();
        Notify({StoreChange::Kind::Removed, *folder, ids::Normalized(entryId)});
        transaction.Commit();
    });
}

std::optional<std::string> MessageStore::FolderOfMessage(std::string_view entryId) {
    if (const StoredMessage* kept = Kept(entryId)) return kept->folderEntryId;
    return db_.Guard("read a message", [&]() -> std::optional<std::string> {
        SQLite::Statement& query =
            db_.Prepared("SELECT f.entry_id FROM items i JOIN folders f ON f.id = i.folder_id WHERE i.entry_id = ?");
        BindId(query, 1, entryId);
        std::optional<std::string> folder;
        if (query.executeStep()) folder = query.getColumn(0).getString();
        query.reset();
        return folder;
    });
}

std::optional<StoredMessage> MessageStore::Load(std::string_view entryId, std::int64_t rowId) {
    if (const StoredMessage* kept = Kept(entryId)) return *kept;
    if (prefetchedSerial_ == serial_ && !prefetched_.empty()) {
        if (const auto ahead = prefetched_.find(ids::Normalized(entryId)); ahead != prefetched_.end()) {
            StoredMessage message = std::move(ahead->second);
            prefetched_.erase(ahead);
            Keep(message);
            return message;
        }
    }
    std::uint64_t readAt = 0;
    if (const StoredMessage* recent = recent_.Find(ids::Normalized(entryId), readAt);
        recent && UnchangedSince(entryId, readAt)) {
        StoredMessage message = *recent;
        Keep(message);
        return message;
    }
    // By its row, the message is one descent away; by its EntryID, two.
    // A row found earlier may hold another message by now (the message was
    // deleted, made anew, and its row number taken again): then by EntryID.
    const auto read = [&](std::int64_t row) -> std::optional<StoredMessage> {
        SQLite::Statement& query = db_.Prepared(std::string("SELECT ") + FilterQuery::kRowColumns +
                                                " FROM items i JOIN folders f ON f.id = i.folder_id WHERE " +
                                                (row != 0 ? "i.id = ? AND i.entry_id = ?" : "i.entry_id = ?"));
        if (row != 0) query.bind(1, row);
        BindId(query, row != 0 ? 2 : 1, entryId);
        if (!query.executeStep()) return std::nullopt;
        ++counters_->messageLoads;
        StoredMessage stored;
        PassOn([&] { stored = FromRow(query); }, [&] { query.reset(); });
        query.reset();
        return stored;
    };
    std::optional<StoredMessage> found = db_.Guard("read a message", [&] {
        std::optional<StoredMessage> message = rowId != 0 ? read(rowId) : std::nullopt;
        return message ? message : read(0);
    });
    if (!found) return std::nullopt;
    Keep(*found);
    if (Shareable(*found)) recent_.Add(*found, serial_);
    return found;
}

void MessageStore::Prefetch(std::span<const std::int64_t> rows) {
    prefetched_.clear();
    prefetchedSerial_ = serial_;
    std::string list = "[";
    for (const std::int64_t row : rows) list += (list.size() > 1 ? "," : "") + std::to_string(row);
    list += "]";
    db_.Guard("read messages", [&] {
        SQLite::Statement& query =
            db_.Prepared(std::string("SELECT ") + FilterQuery::kRowColumns +
                         " FROM json_each(?) j JOIN items i ON i.id = j.value JOIN folders f ON f.id = i.folder_id");
        query.bind(1, list);
        while (query.executeStep()) {
            ++counters_->messageLoads;
            // A message that cannot be decoded is left to Load, which reads
            // it alone and raises then.
            IgnoreErrors([&] {
                StoredMessage stored = FromRow(query);
                std::string key = stored.entryId;
                prefetched_.emplace(std::move(key), std::move(stored));
            });
        }
        query.reset();
    });
}

bool MessageStore::Prefetched(std::string_view entryId) const {
    return prefetchedSerial_ == serial_ && prefetched_.contains(ids::Normalized(entryId));
}

void MessageStore::Keep(const StoredMessage& message, std::optional<std::vector<ItemIndex::Entry>> rows) {
    lastLoaded_.reset();
    lastRows_.reset();
    if (Shareable(message)) {
        lastLoaded_ = message;
        lastLoadedSerial_ = serial_;
        lastRows_ = std::move(rows);
    }
}

const StoredMessage* MessageStore::Kept(std::string_view entryId) const {
    if (!lastLoaded_ || lastLoadedSerial_ != serial_ || lastLoaded_->entryId != ids::Normalized(entryId))
        return nullptr;
    return &*lastLoaded_;
}

std::int64_t MessageStore::Revision(std::string_view entryId) {
    if (const StoredMessage* kept = Kept(entryId)) return kept->revision;
    return db_.Guard("read a message", [&]() -> std::int64_t {
        SQLite::Statement& query = db_.Prepared("SELECT revision FROM items WHERE entry_id = ?");
        BindId(query, 1, entryId);
        const std::int64_t revision = query.executeStep() ? query.getColumn(0).getInt64() : 0;
        query.reset();
        return revision;
    });
}

std::vector<FoundMessage> MessageStore::MessageIds(std::string_view folderEntryId) {
    ++counters_->folderScans;
    return db_.Guard("list a folder", [&] {
        std::vector<FoundMessage> found;
        SQLite::Statement query(db_.Sql(),
                                "SELECT i.id, i.entry_id FROM items i JOIN folders f ON f.id = i.folder_id "
                                "WHERE f.entry_id = ? ORDER BY i.id");
        BindId(query, 1, folderEntryId);
        while (query.executeStep()) found.push_back({query.getColumn(0).getInt64(), query.getColumn(1).getString()});
        return found;
    });
}

namespace {
void BindAll(SQLite::Statement& statement, const std::vector<FilterQuery::Parameter>& parameters, int first) {
    int index = first;
    for (const FilterQuery::Parameter& parameter : parameters) {
        std::visit([&](const auto& value) { statement.bind(index, value); }, parameter);
        ++index;
    }
}
}  // namespace

void MessageStore::IndexKeysOf(const Filter& filter) {
    const ItemIndex::Keys missing = indexed_.Missing(FilterQuery::Keys(filter));
    if (missing.empty()) return;
    // Rows worked out before know nothing of the new keys.
    lastRows_.reset();
    StoreTransaction transaction(*this);
    indexed_.Add(missing);
    transaction.Commit();
    counters_->keysIndexed += static_cast<std::int64_t>(missing.size());
}

FilterQuery MessageStore::Query(const Filter& filter, std::string_view folderEntryId) {
    IndexKeysOf(filter);
    const std::int64_t folderId = db_.Guard("search a folder", [&] { return folders_.RowId(folderEntryId); });
    const FilterQuery::Sampler sample = [&](const std::string& sql, const std::vector<FilterQuery::Parameter>& values) {
        return db_.Guard("search a folder", [&] {
            std::vector<std::int64_t> ids;
            SQLite::Statement& statement = db_.Prepared(sql);
            BindAll(statement, values, 1);
            while (statement.executeStep()) ids.push_back(statement.getColumn(0).getInt64());
            return ids;
        });
    };
    return FilterQuery(filter, folderId, sample);
}

std::vector<FoundMessage> MessageStore::Search(std::string_view folderEntryId, const Filter& filter) {
    const FilterQuery query = Query(filter, folderEntryId);
    ++counters_->searches;
    if (query.ScansFolder()) ++counters_->folderScans;
    if (query.MatchesNothing()) return {};
    return db_.Guard("search a folder", [&] {
        std::vector<FoundMessage> found;
        SQLite::Statement& select = db_.Prepared(query.Sql());
        BindAll(select, query.Parameters(), 1);
        if (query.ReadsRow()) {
            // The one message found is read as lately read messages are:
            // it is opened next, and again later by the MAPI library.
            if (select.executeStep()) {
                ++counters_->messageLoads;
                found.push_back({select.getColumn(4).getInt64(), select.getColumn(0).getString()});
                IgnoreErrors([&] {
                    const StoredMessage stored = FromRow(select);
                    if (Shareable(stored)) recent_.Add(stored, serial_);
                });
            }
            select.reset();
            return found;
        }
        while (select.executeStep()) found.push_back({select.getColumn(0).getInt64(), select.getColumn(1).getString()});
        return found;
    });
}

bool MessageStore::Matches(std::string_view entryId, const Filter& filter) {
    const std::optional<std::string> folder = FolderOfMessage(entryId);
    if (!folder) return false;
    const FilterQuery query = Query(filter, *folder);
    ++counters_->searches;
    return db_.Guard("search a folder", [&] {
        SQLite::Statement& select = db_.Prepared(query.MatchSql());
        BindId(select, 1, entryId);
        BindAll(select, query.MatchParameters(), 2);
        const bool matches = select.executeStep();
        select.reset();
        return matches;
    });
}

}  // namespace ostrellix::standin::outlook
