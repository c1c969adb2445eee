#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

namespace SQLite {
class Database;
class Statement;
}

namespace ostrellix::standin::sqlite {
class FileClaim;
class LogCheckpointer;
}

namespace ostrellix::standin::outlook {

// The SQLite file of a message store. Opening a file that is not a message
// store (another database, or not a database at all) raises an error that
// names it, and leaves it untouched; a missing file becomes a new, empty
// store; a store of an older layout is converted on opening, in one
// transaction. ":memory:" keeps the store in memory for as long as this object
// lives. Writes are grouped in transactions, which nest (savepoints); only
// the outermost one reaches the file, and everything it wrote or nothing.
class StoreDatabase {
public:
    static constexpr const char* kInMemory = ":memory:";

    explicit StoreDatabase(std::string path);
    ~StoreDatabase();
    StoreDatabase(const StoreDatabase&) = delete;
    StoreDatabase& operator=(const StoreDatabase&) = delete;

    const std::string& Path() const { return path_; }
    SQLite::Database& Sql() { return *db_; }

    // The statement for `sql`, compiled on first use and kept for the
    // connection's life, reset and without bindings: the store runs the
    // same few reads for every message it opens. For one-row reads, which
    // reset it again when done so that no read stays open.
    SQLite::Statement& Prepared(const std::string& sql);

    void Begin();
    void Commit();
    void Rollback();
    int Depth() const { return depth_; }
    // Pages written to the file or its log since the last call.
    std::int64_t TakePagesWritten();

    // A transaction for one block: rolled back unless committed.
    class Transaction {
    public:
        explicit Transaction(StoreDatabase& db) : db_(db) { db_.Begin(); }
        ~Transaction();
        Transaction(const Transaction&) = delete;
        Transaction& operator=(const Transaction&) = delete;
        void Commit();

    private:
        StoreDatabase& db_;
        bool done_ = false;
    };

    // Runs a step; a failure of the database becomes an error that names
    // the store file and what was being done.
    template <class Step>
    decltype(auto) Guard(std::string_view action, Step&& step) {
        try {
            return std::forward<Step>(step)();
        } catch (const std::runtime_error& error) {
            Fail(action, error);
        }
    }
    [[noreturn]] void Fail(std::string_view action, const std::exception& error) const;

private:
    void OpenOrCreate();
    [[noreturn]] void RaiseInUse() const;
    void CreateSchema();
    void DropIndex();

    std::string path_;
    std::unique_ptr<sqlite::FileClaim> claim_;
    std::unique_ptr<SQLite::Database> db_;
    // Declared after db_, so stopped and finalized before the connection closes.
    std::unique_ptr<sqlite::LogCheckpointer> checkpointer_;
    std::unordered_map<std::string, std::unique_ptr<SQLite::Statement>> prepared_;
    int depth_ = 0;
};

}  // namespace ostrellix::standin::outlook
