#include "standins/kelo/engine/Engine.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

#include <cmath>
#include <utility>

#include "runtime/ComError.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/engine/SqlFunctions.h"
#include "standins/sqlite/BatchedLogVfs.h"

namespace ostrellix::standin::kelo {

namespace {

constexpr std::int64_t kSchemaVersion = 2;

// Layout 2 added the filters users store for a class.
constexpr const char* kFilterTable = R"sql(
    CREATE TABLE kelo_filter(
        id INTEGER PRIMARY KEY, class_id INTEGER NOT NULL REFERENCES kelo_class(id),
        name TEXT NOT NULL COLLATE KELO_NOCASE, terms TEXT NOT NULL, UNIQUE(class_id, name));
)sql";
constexpr double kMillisecondsPerDay = 86400000.0;

bool InMemory(const std::string& path) { return path.empty() || path == ":memory:"; }

double ToMilliseconds(Date date) { return std::round(date.Serial() * kMillisecondsPerDay); }

}  // namespace

Engine::Engine(Setup setup, win::IClock& clock) : setup_(std::move(setup)), clock_(clock) {
    if (setup_.path.empty()) setup_.path = ":memory:";
    Guard("opening", [&] { Open(); });
    schema_ = std::make_unique<Schema>(*this);
}

Engine::~Engine() = default;

void Engine::Open() {
    if (!InMemory(setup_.path) && std::filesystem::path(setup_.path).has_parent_path()) {
        std::filesystem::create_directories(std::filesystem::path(setup_.path).parent_path());
    }
    // The client works its data engine from its user-interface thread only,
    // so the connection goes without SQLite's lock around every call.
    db_ = std::make_unique<SQLite::Database>(setup_.path.c_str(),
                                             SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE | SQLite::OPEN_NOMUTEX, 0,
                                             sqlite::BatchedLogVfs::Name());
    timestamps_ = TimestampSource::For(setup_.path, InMemory(setup_.path));
    SqlFunctions::Register(db_->getHandle());
    sqlite3_trace_v2(db_->getHandle(), SQLITE_TRACE_STMT, &Engine::Trace, this);
    db_->exec("PRAGMA foreign_keys = ON");
    if (!InMemory(setup_.path)) db_->exec("PRAGMA journal_mode = WAL");
    // In WAL mode a commit stays atomic and survives the program's crash
    // without a sync of its own; syncing every log entry and record store
    // made filing wait on the disk several times per mail. Only the last
    // commits before a crash of the machine itself can be lost.
    db_->exec("PRAGMA synchronous = NORMAL");
    // Pages changed since the log was last copied into the file are read
    // from the log, not the mapping, and a run reads a changed record's
    // pages several times (found by time stamp, loaded in its pool, loaded
    // again when its item comes back, stored): 64 MB hold those of many
    // thousand changes, where the default 2 MB read them again and again.
    // Pages read through the mapping take no room in it.
    db_->exec("PRAGMA cache_size = -65536");
    // Debian's SQLite clears deleted content by default, which only adds
    // to every update of a record; the database is the client's own file.
    db_->exec("PRAGMA secure_delete = OFF");
    // A record store writes the same hot pages again and again (the inner
    // pages of the indexes, the newest time stamps): copying the log into
    // the file every 8,192 pages rather than every 1,000 copies each such
    // page once instead of several times. The copy runs beside the stores
    // rather than in one of them.
    if (!InMemory(setup_.path)) {
        checkpointer_ = std::make_unique<sqlite::LogCheckpointer>(db_->getHandle(), setup_.path, 8192);
    }
    // Reading a whole class (a synchronization's pools) walks more pages
    // than the cache holds: read through a mapping of the file they cost
    // neither a read call nor a copy.
    if (!InMemory(setup_.path)) db_->exec("PRAGMA mmap_size = 1073741824");

    if (!db_->tableExists("kelo_meta")) {
        if (db_->execAndGet("SELECT count(*) FROM sqlite_master").getInt() != 0) {
            throw ComError(engineerror::BadSchema, kEngineSource,
                           "The file " + Quoted(setup_.path) + " is an SQLite database but not a Kelo database");
        }
        created_ = true;
        name_ = setup_.name.empty()
                    ? (InMemory(setup_.path) ? std::string("Kelo") : std::filesystem::path(setup_.path).stem().string())
                    : setup_.name;
        server_ = setup_.server;
        Transact([&] { CreateTables(); });
    } else {
        const std::int64_t version = db_->execAndGet("SELECT value FROM kelo_meta WHERE key = 'schema_version'").getInt64();
        if (version == 1) {
            Transact([&] {
                db_->exec(kFilterTable);
                db_->exec("UPDATE kelo_meta SET value = " + std::to_string(kSchemaVersion) +
                          " WHERE key = 'schema_version'");
            });
        } else if (version != kSchemaVersion) {
            throw ComError(engineerror::BadSchema, kEngineSource,
                           "The database " + Quoted(setup_.path) + " has layout version " + std::to_string(version) +
                               "; this data engine reads version " + std::to_string(kSchemaVersion));
        }
        name_ = db_->execAndGet("SELECT value FROM kelo_meta WHERE key = 'name'").getString();
        server_ = db_->execAndGet("SELECT value FROM kelo_meta WHERE key = 'server'").getString();
    }
}

void Engine::CreateTables() {
    db_->exec(R"sql(
        CREATE TABLE kelo_meta(key TEXT PRIMARY KEY, value);
        CREATE TABLE kelo_class(
            id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE NOCASE, local_name TEXT NOT NULL,
            local_name_plural TEXT NOT NULL, label INTEGER NOT NULL, descriptive TEXT NOT NULL);
        CREATE TABLE kelo_field(
            id INTEGER PRIMARY KEY, class_id INTEGER NOT NULL REFERENCES kelo_class(id), position INTEGER NOT NULL,
            name TEXT NOT NULL COLLATE NOCASE, local_name TEXT NOT NULL, label INTEGER NOT NULL,
            type INTEGER NOT NULL, max_length INTEGER NOT NULL, counterpart_id INTEGER REFERENCES kelo_field(id),
            required INTEGER NOT NULL, excluded INTEGER NOT NULL, indexed INTEGER NOT NULL,
            UNIQUE(class_id, name));
        CREATE TABLE kelo_field_attribute(
            field_id INTEGER NOT NULL REFERENCES kelo_field(id), name TEXT NOT NULL COLLATE NOCASE,
            kind INTEGER NOT NULL, value, PRIMARY KEY(field_id, name));
        CREATE TABLE kelo_document(
            id INTEGER PRIMARY KEY, name TEXT NOT NULL, extension TEXT NOT NULL, data BLOB NOT NULL,
            state INTEGER NOT NULL);
        CREATE TABLE kelo_template(
            id INTEGER PRIMARY KEY, name TEXT NOT NULL, location TEXT NOT NULL, extension TEXT NOT NULL,
            data BLOB NOT NULL);
        CREATE TABLE kelo_setting(
            id INTEGER PRIMARY KEY, parent_id INTEGER REFERENCES kelo_setting(id) ON DELETE CASCADE,
            name TEXT NOT NULL COLLATE NOCASE, is_collection INTEGER NOT NULL,
            kind INTEGER, value, UNIQUE(parent_id, name, is_collection));
        CREATE TABLE kelo_user(
            id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE COLLATE KELO_NOCASE, coworker_id INTEGER);
        CREATE TABLE kelo_log(
            id INTEGER PRIMARY KEY, time REAL NOT NULL, type INTEGER NOT NULL, source TEXT NOT NULL,
            location TEXT NOT NULL, code TEXT NOT NULL, message TEXT NOT NULL);
        CREATE TABLE kelo_usage(id INTEGER PRIMARY KEY, time REAL NOT NULL, tags TEXT NOT NULL);
        INSERT INTO kelo_setting(parent_id, name, is_collection) VALUES (NULL, '', 1);
    )sql");
    db_->exec(kFilterTable);
    SQLite::Statement meta(*db_, "INSERT INTO kelo_meta(key, value) VALUES (?, ?)");
    for (const auto& [key, value] : {std::pair{"name", name_}, std::pair{"server", server_}}) {
        meta.bind(1, key);
        meta.bind(2, value);
        meta.exec();
        meta.reset();
    }
    meta.bind(1, "last_timestamp");
    meta.bind(2, 0.0);
    meta.exec();
    meta.reset();
    meta.bind(1, "schema_version");
    meta.bind(2, static_cast<std::int64_t>(kSchemaVersion));
    meta.exec();
}

std::filesystem::path Engine::Folder() const {
    if (InMemory(setup_.path)) return setup_.workingFolder;
    return std::filesystem::absolute(setup_.path).parent_path();
}

Date Engine::NextTimestamp() {
    const double next = timestamps_->Next(ToMilliseconds(clock_.Now()), [&] { return StoredLastTimestamp(); });
    return Date(next / kMillisecondsPerDay);
}

void Engine::KeepLastTimestamp() {
    const double last = timestamps_->Last([&] { return StoredLastTimestamp(); });
    WithStatement("UPDATE kelo_meta SET value = max(value, ?) WHERE key = 'last_timestamp'",
                  [&](SQLite::Statement& store) {
                      store.bind(1, last);
                      store.exec();
                  });
}

double Engine::StoredLastTimestamp() {
    std::string sql = "SELECT max(value) FROM (SELECT value FROM kelo_meta WHERE key = 'last_timestamp'";
    for (const Ptr<Class>& cls : schema_->All()->List()) {
        sql += " UNION ALL SELECT round(max(timestamp) * " + std::to_string(kMillisecondsPerDay) + ") FROM " +
               cls->Table();
    }
    return db_->execAndGet(sql + ")").getDouble();
}

void Engine::Begin() {
    WithStatement("SAVEPOINT kelo", [](SQLite::Statement& begin) { begin.exec(); });
    savepoints_.push_back(pendingChanges_.size());
}

void Engine::Commit() {
    WithStatement("RELEASE kelo", [](SQLite::Statement& release) { release.exec(); });
    savepoints_.pop_back();
    if (!savepoints_.empty()) return;
    settings_.Ended(true);
    // Handlers may store records again: they start on an empty list.
    const std::vector<RecordChange> committed = std::exchange(pendingChanges_, {});
    for (const RecordChange& change : committed) RecordChanged.Raise(change);
}

SQLite::Statement& Engine::Prepared(const std::string& sql) {
    std::unique_ptr<SQLite::Statement>& statement = prepared_[sql];
    if (!statement) {
        statement = std::make_unique<SQLite::Statement>(*db_, sql);
    } else {
        statement->clearBindings();
    }
    return *statement;
}

void Engine::Reset(SQLite::Statement& statement) noexcept { statement.tryReset(); }

void Engine::Rollback() {
    // A handler of RecordChanged that raised: the transaction had committed.
    if (savepoints_.empty()) return;
    pendingChanges_.resize(savepoints_.back());
    savepoints_.pop_back();
    db_->exec("ROLLBACK TO kelo");
    db_->exec("RELEASE kelo");
    settings_.Ended(savepoints_.empty());
}

void Engine::RaiseDatabaseError(const char* what, const std::exception& error) const {
    throw ComError(engineerror::DatabaseFailed, kEngineSource,
                   std::string("The database ") + Quoted(setup_.path) + " failed while " + what + ": " + error.what());
}

int Engine::Trace(unsigned type, void* context, void*, void*) {
    if (type == SQLITE_TRACE_STMT) ++static_cast<Engine*>(context)->counters_->statements;
    return 0;
}

}  // namespace ostrellix::standin::kelo
