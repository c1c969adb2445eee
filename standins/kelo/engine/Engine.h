#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>
#include <vector>

#include "contracts/win/IClock.h"
#include "runtime/Date.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Signal.h"
#include "standins/kelo/engine/SettingsCache.h"
#include "standins/kelo/engine/TimestampSource.h"
#include "standins/system/FaultSwitch.h"
#include "standins/sqlite/LogCheckpointer.h"
#include "standins/system/WorkCounters.h"

namespace SQLite {
class Database;
class Statement;
}

namespace ostrellix::standin::kelo {

class Schema;

// The data engine's database: one SQLite file (or ":memory:") that holds
// everything the client keeps (metadata, records, documents, templates,
// settings, users, log), so that a workspace file describes itself. Every
// change runs in Transact: one savepoint, all of it or none. Objects of the
// engine (records, documents ...) share it through a shared_ptr.
class Engine {
public:
    // A record stored for the first time, stored again, or deleted.
    struct RecordChange {
        enum class Kind { Added, Modified, Removed };
        Kind kind;
        std::string className;
        std::int32_t id = 0;
    };

    struct Setup {
        std::string path = ":memory:";
        // Kept in the database when it is created: its name (default: the
        // file's stem, or "Kelo" in memory) and the server it lives on.
        std::string name;
        std::string server = "localhost";
        // Where documents are materialised as files; per-database files of a
        // database in memory go here too.
        std::filesystem::path workingFolder = std::filesystem::temp_directory_path();
    };

    Engine(Setup setup, win::IClock& clock);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    SQLite::Database& Db() { return *db_; }
    // Runs `body` with the statement of `sql`, compiled on first use and
    // kept for the next (reads of single records and settings come one
    // after another in a run), with no bindings; reset again afterwards,
    // also when `body` raises, so that no read stays open on the connection.
    template <class Body>
    decltype(auto) WithStatement(const std::string& sql, Body&& body);
    Schema& Metadata() { return *schema_; }
    win::IClock& Clock() { return clock_; }

    const std::string& Path() const { return setup_.path; }
    const std::string& Name() const { return name_; }
    const std::string& Server() const { return server_; }
    // The folder for files that belong to this database (beside the file).
    std::filesystem::path Folder() const;
    const std::filesystem::path& WorkingFolder() const { return setup_.workingFolder; }
    // True when this run created the database (it was empty).
    bool Created() const { return created_; }

    // A time stamp for a change: the clock's time to the millisecond, but
    // always later than every time stamp given before in this database
    // (TimestampSource). Call inside Transact.
    Date NextTimestamp();
    // Keeps the last time stamp given in the database, for a deletion: the
    // records it takes away may have carried it. Call inside Transact.
    void KeepLastTimestamp();

    // Runs `body` in one savepoint: committed when it returns, rolled back
    // when it raises. Database failures come out as ComError naming the file.
    // Nested, it joins the outer transaction: its work is final only when
    // the outermost one commits (a batch of stores is one transaction).
    template <class Body>
    decltype(auto) Transact(Body&& body);

    // Runs `body` turning database failures into ComError naming the file
    // and `what` was being done.
    template <class Body>
    decltype(auto) Guard(const char* what, Body&& body);

    // Statements run on this connection so far (each execution counts once,
    // however many rows it steps through), in the counters it counts into.
    std::int64_t StatementsRun() const { return counters_->statements; }
    system::WorkCounters& Counters() { return *counters_; }
    void CountIn(system::WorkCounters& counters) { counters_ = &counters; }
    // Every Guard (so every transaction's start and commit) is a call of
    // "Engine" in the machine's fault switch; a failed one is refused as by
    // a full disk.
    void FailIn(system::FaultSwitch& faults) { faults_ = &faults; }

    // Raised for every record change once the outermost transaction holding
    // it committed; a change rolled back is never told. Call NoteRecordChange
    // inside Transact.
    Signal<const RecordChange&> RecordChanged;
    void NoteRecordChange(RecordChange change) { pendingChanges_.push_back(std::move(change)); }

    // The settings read lately on this connection (SettingsCollection).
    SettingsCache& SettingsReadLately() { return settings_; }

private:
    void Open();
    SQLite::Statement& Prepared(const std::string& sql);
    static void Reset(SQLite::Statement& statement) noexcept;
    void CreateTables();
    // The last time stamp the database holds, in milliseconds.
    double StoredLastTimestamp();
    void Begin();
    void Commit();
    void Rollback();
    [[noreturn]] void RaiseDatabaseError(const char* what, const std::exception& error) const;
    static int Trace(unsigned type, void* context, void* statement, void* sql);

    Setup setup_;
    win::IClock& clock_;
    std::unique_ptr<SQLite::Database> db_;
    // Declared after the connection, so stopped before it closes.
    std::unique_ptr<sqlite::LogCheckpointer> checkpointer_;
    std::unique_ptr<Schema> schema_;
    std::string name_;
    std::string server_;
    bool created_ = false;
    system::WorkCounters ownCounters_;
    system::WorkCounters* counters_ = &ownCounters_;
    system::FaultSwitch* faults_ = nullptr;
    SettingsCache settings_;
    std::shared_ptr<TimestampSource> timestamps_;
    std::vector<RecordChange> pendingChanges_;
    // For each open savepoint, how many changes were pending when it began.
    std::vector<std::size_t> savepoints_;
    // Declared after the connection, so finalized before it closes.
    std::unordered_map<std::string, std::unique_ptr<SQLite::Statement>> prepared_;
};

template <class Body>
decltype(auto) Engine::WithStatement(const std::string& sql, Body&& body) {
    struct ResetAfter {
        SQLite::Statement& statement;
        ~ResetAfter() { Reset(statement); }
    };
    const ResetAfter resetAfter{Prepared(sql)};
    return std::forward<Body>(body)(resetAfter.statement);
}

template <class Body>
decltype(auto) Engine::Guard(const char* what, Body&& body) {
    if (faults_ && faults_->Pass("Engine")) RaiseDatabaseError(what, std::runtime_error("database or disk is full"));
    try {
        return std::forward<Body>(body)();
    } catch (const ComError&) {
        throw;
    } catch (const std::exception& error) {
        RaiseDatabaseError(what, error);
    }
}

template <class Body>
decltype(auto) Engine::Transact(Body&& body) {
    Guard("starting a transaction", [&] { Begin(); });
    try {
        if constexpr (std::is_void_v<std::invoke_result_t<Body>>) {
            std::forward<Body>(body)();
            Guard("committing a transaction", [&] { Commit(); });
        } else {
            auto result = std::forward<Body>(body)();
            Guard("committing a transaction", [&] { Commit(); });
            return result;
        }
    } catch (const ComError&) {
        IgnoreErrors([&] { Rollback(); });
        throw;
    } catch (const std::exception& error) {
        IgnoreErrors([&] { Rollback(); });
        RaiseDatabaseError("storing", error);
    }
}

}  // namespace ostrellix::standin::kelo
