#include "standins/outlook/StoreDatabase.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <filesystem>

#include "runtime/ErrorHandling.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/IndexedValues.h"
#include "standins/sqlite/BatchedLogVfs.h"
#include "standins/sqlite/FileClaim.h"
#include "standins/sqlite/LogCheckpointer.h"

namespace ostrellix::standin::outlook {

namespace {

// "OLST" in the file header tells a message store from other SQLite files.
constexpr int kApplicationId = 0x4F4C5354;
constexpr int kSchemaVersion = 4;

constexpr const char* kSchema = R"sql(
CREATE TABLE mailboxes(
  id INTEGER PRIMARY KEY,
  store_id TEXT NOT NULL UNIQUE,
  owner_address TEXT NOT NULL UNIQUE COLLATE NOCASE,
  owner_name TEXT NOT NULL);
CREATE TABLE folders(
  id INTEGER PRIMARY KEY,
  entry_id TEXT NOT NULL UNIQUE,
  mailbox_id INTEGER NOT NULL,
  parent_id INTEGER,
  name TEXT NOT NULL,
  item_type INTEGER NOT NULL,
  default_type INTEGER NOT NULL);
CREATE INDEX folders_parent ON folders(parent_id);
CREATE TABLE items(
  id INTEGER PRIMARY KEY,
  entry_id TEXT NOT NULL UNIQUE,
  folder_id INTEGER NOT NULL,
  revision INTEGER NOT NULL,
  data BLOB NOT NULL,
  index_values BLOB);
CREATE INDEX items_folder ON items(folder_id, id);
CREATE TABLE views(
  folder_id INTEGER NOT NULL,
  position INTEGER NOT NULL,
  name TEXT NOT NULL,
  view_type INTEGER NOT NULL,
  xml TEXT NOT NULL,
  PRIMARY KEY(folder_id, name));
CREATE TABLE named_ids(
  id INTEGER PRIMARY KEY,
  property_set TEXT NOT NULL,
  name TEXT NOT NULL,
  UNIQUE(property_set, name));
CREATE TABLE categories(
  name TEXT PRIMARY KEY COLLATE NOCASE,
  color INTEGER NOT NULL);
CREATE TABLE address_lists(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE COLLATE NOCASE,
  list_type INTEGER NOT NULL);
CREATE TABLE address_entries(
  id INTEGER PRIMARY KEY,
  entry_id TEXT NOT NULL UNIQUE,
  list_id INTEGER NOT NULL,
  name TEXT NOT NULL,
  address TEXT NOT NULL,
  address_type TEXT NOT NULL,
  smtp_address TEXT NOT NULL COLLATE NOCASE);
CREATE INDEX address_entries_list ON address_entries(list_id, id);
)sql";

// The lookup of items by index entry: the table itself, in the order a
// filter looks entries up, with no index besides. An item's own entries are
// in its row (items.index_values, IndexedValues), which a save rewrites
// anyway: a save that changes a value rewrites the item's page and this
// table's pages where the value left and where it went, three at most,
// where a table of each item's entries besides made four.
// Entries are kept for the keys in indexed_keys only (IndexedKeys).
constexpr const char* kItemValues = R"sql(
CREATE TABLE item_values(
  folder_id INTEGER NOT NULL,
  key TEXT NOT NULL,
  value NOT NULL,
  item_id INTEGER NOT NULL,
  PRIMARY KEY(folder_id, key, value, item_id)) WITHOUT ROWID;
CREATE TABLE indexed_keys(key TEXT PRIMARY KEY) WITHOUT ROWID;
)sql";

}  // namespace

StoreDatabase::StoreDatabase(std::string path) : path_(std::move(path)) {
    if (path_ != kInMemory) {
        const std::filesystem::path file(path_);
        if (file.has_parent_path()) {
            std::error_code ignored;
            std::filesystem::create_directories(file.parent_path(), ignored);
        }
    }
    // A store belongs to the one Outlook that opened it, as long as that
    // one runs. The file layer keeps the file locked against other programs
    // from the first read to the close; within this program the claim
    // refuses a second Outlook.
    if (path_ != kInMemory) {
        claim_ = std::make_unique<sqlite::FileClaim>(path_);
        if (!claim_->Held()) RaiseInUse();
    }
    // Outlook uses its store from one thread only, so the connection goes
    // without SQLite's lock around every call.
    Guard("open", [&] {
        db_ = std::make_unique<SQLite::Database>(path_.c_str(),
                                                 SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX, 0,
                                                 sqlite::BatchedLogVfs::Name());
        IndexedValues::Register(db_->getHandle());
    });
    OpenOrCreate();
}

StoreDatabase::~StoreDatabase() = default;

void StoreDatabase::OpenOrCreate() {
    int applicationId = 0, version = 0, objects = 0;
    try {
        applicationId = db_->execAndGet("PRAGMA application_id").getInt();
        version = db_->execAndGet("PRAGMA user_version").getInt();
        objects = db_->execAndGet("SELECT count(*) FROM sqlite_master").getInt();
    } catch (const std::runtime_error& error) {
        const auto* refused = dynamic_cast<const SQLite::Exception*>(&error);
        if (refused && refused->getErrorCode() == SQLITE_BUSY) RaiseInUse();
        errors::Raise(errors::kStoreFailed,
                      "The file \"" + path_ + "\" is not an Outlook message store (" + error.what() + ").");
    }
    if (applicationId == 0 && objects == 0) {
        CreateSchema();
    } else if (applicationId != kApplicationId) {
        errors::Raise(errors::kStoreFailed, "The file \"" + path_ + "\" is not an Outlook message store.");
    } else if (version < 1 || version > kSchemaVersion) {
        errors::Raise(errors::kStoreFailed, "The message store \"" + path_ + "\" has layout version " +
                                                std::to_string(version) + ", which this Outlook cannot read.");
    }
    Guard("open", [&] {
        if (path_ != kInMemory) db_->exec("PRAGMA journal_mode=WAL");
        db_->exec("PRAGMA synchronous=NORMAL");
        // Debian's SQLite clears deleted content by default; a store is its
        // user's own file, and clearing the old copy of every row a save
        // rewrites only added to the save.
        db_->exec("PRAGMA secure_delete=OFF");
        // Pages read through the mapping below take no room here; what
        // passes through this cache are the pages a save writes and those
        // whose latest copy is still in the log, which a run of saves
        // comes back to (32 MB; with 2 or 8 MB a partial run was no faster).
        db_->exec("PRAGMA cache_size=-32768");
        // A search of a large folder walks index pages that no cache of
        // sensible size holds: read through a mapping of the file, such a
        // page costs neither a read call nor a copy into the cache. Writes
        // still go through the log.
        db_->exec("PRAGMA mmap_size=1073741824");
        // A save writes a handful of pages, several of them the same hot
        // ones (the index's inner pages, the newest modification times):
        // copying the log into the file every 8,192 pages rather than every
        // 1,000 copies each such page once instead of several times. The
        // copy runs beside the saves rather than in one of them.
        if (path_ != kInMemory) checkpointer_ = std::make_unique<sqlite::LogCheckpointer>(db_->getHandle(), path_, 8192);
    });
    if (applicationId == kApplicationId && version < kSchemaVersion) DropIndex();
}

void StoreDatabase::CreateSchema() {
    Guard("create", [&] {
        Transaction transaction(*this);
        db_->exec(kSchema);
        db_->exec(kItemValues);
        db_->exec("PRAGMA application_id=" + std::to_string(kApplicationId));
        db_->exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        transaction.Commit();
    });
}

// Stores of earlier layouts kept the index in other tables: layouts 1 and
// 2 every key of every message (layout 1 in rows with two indexes), layout
// 3 the keys filters asked for, in item order with a lookup index besides,
// and none of them in the items' rows. The index is dropped: filters build
// what they need of it again.
void StoreDatabase::DropIndex() {
    Guard("convert to the current layout", [&] {
        Transaction transaction(*this);
        db_->exec("DROP TABLE item_values");
        db_->exec("DROP TABLE IF EXISTS indexed_keys");
        db_->exec("ALTER TABLE items ADD COLUMN index_values BLOB");
        db_->exec(kItemValues);
        db_->exec("PRAGMA user_version=" + std::to_string(kSchemaVersion));
        transaction.Commit();
    });
}

SQLite::Statement& StoreDatabase::Prepared(const std::string& sql) {
    std::unique_ptr<SQLite::Statement>& statement = prepared_[sql];
    if (!statement) {
        statement = std::make_unique<SQLite::Statement>(*db_, sql);
    } else {
        statement->reset();
        statement->clearBindings();
    }
    return *statement;
}

void StoreDatabase::Begin() {
    Guard("begin a transaction", [&] { Prepared("SAVEPOINT s" + std::to_string(depth_ + 1)).exec(); });
    ++depth_;
}

void StoreDatabase::Commit() {
    Guard("commit", [&] { Prepared("RELEASE s" + std::to_string(depth_)).exec(); });
    --depth_;
}

void StoreDatabase::Rollback() {
    Guard("roll back", [&] {
        db_->exec("ROLLBACK TO s" + std::to_string(depth_));
        db_->exec("RELEASE s" + std::to_string(depth_));
    });
    --depth_;
}

std::int64_t StoreDatabase::TakePagesWritten() {
    int written = 0, highest = 0;
    sqlite3_db_status(db_->getHandle(), SQLITE_DBSTATUS_CACHE_WRITE, &written, &highest, 1);
    return written;
}

StoreDatabase::Transaction::~Transaction() {
    if (!done_) IgnoreErrors([&] { db_.Rollback(); });
}

void StoreDatabase::Transaction::Commit() {
    db_.Commit();
    done_ = true;
}

void StoreDatabase::RaiseInUse() const {
    errors::Raise(errors::kStoreFailed,
                  "The message store \"" + path_ + "\" is in use by another program and cannot be opened.");
}

void StoreDatabase::Fail(std::string_view action, const std::exception& error) const {
    errors::Raise(errors::kStoreFailed,
                  "The message store \"" + path_ + "\" failed to " + std::string(action) + ": " + error.what());
}

}  // namespace ostrellix::standin::outlook
