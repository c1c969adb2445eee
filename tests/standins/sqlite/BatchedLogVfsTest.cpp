#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <SQLiteCpp/Transaction.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "standins/sqlite/BatchedLogVfs.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::standin::sqlite {
namespace {

class BatchedLogVfsTest : public ::testing::Test {
protected:
    std::unique_ptr<SQLite::Database> Open(const char* vfs) {
        auto db =
            std::make_unique<SQLite::Database>(path_.c_str(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, 0, vfs);
        db->exec("PRAGMA journal_mode=WAL");
        db->exec("PRAGMA synchronous=NORMAL");
        return db;
    }
    static std::int64_t Count(SQLite::Database& db) { return db.execAndGet("SELECT count(*) FROM t").getInt64(); }
    static std::string Check(SQLite::Database& db) { return db.execAndGet("PRAGMA integrity_check").getString(); }

    testing::TempDirectory folder_;
    const std::string path_ = (folder_.Path() / "test.db").string();
};

// A blob a few pages long, different for each row.
std::string Payload(int row) { return std::string(3000 + row % 5000, static_cast<char>('a' + row % 26)); }

void Insert(SQLite::Database& db, int first, int count) {
    SQLite::Transaction transaction(db);
    SQLite::Statement insert(db, "INSERT INTO t(id, data) VALUES(?, ?)");
    for (int row = first; row < first + count; ++row) {
        insert.bind(1, row);
        insert.bind(2, Payload(row));
        insert.exec();
        insert.reset();
    }
    transaction.commit();
}

// Another connection, on the platform's own layer, sees each commit as soon
// as it returns: the gathered frames are in the log before readers are
// told of them.
TEST_F(BatchedLogVfsTest, EveryCommitIsInTheLogWhenItReturns) {
    auto writer = Open(BatchedLogVfs::Name());
    writer->exec("CREATE TABLE t(id INTEGER PRIMARY KEY, data BLOB NOT NULL)");
    auto reader = Open(nullptr);
    int rows = 0;
    for (int commit = 1; commit <= 40; ++commit) {
        Insert(*writer, rows, commit % 7 + 1);
        rows += commit % 7 + 1;
        if (commit % 3 == 0)
            writer->exec("UPDATE t SET data = data || 'x' WHERE id % 5 = " + std::to_string(commit % 5));
        if (commit % 4 == 0) writer->exec("DELETE FROM t WHERE id = " + std::to_string(commit));
        ASSERT_EQ(Count(*reader), Count(*writer)) << "after commit " << commit;
    }
    EXPECT_EQ(Check(*reader), "ok");
}

// A transaction far larger than what is gathered at once, with a cache too
// small to hold it: pages spill into the log mid-transaction and are read
// back from it before the commit.
TEST_F(BatchedLogVfsTest, LargeTransactionsSpillAndReadBack) {
    {
        auto db = Open(BatchedLogVfs::Name());
        db->exec("PRAGMA cache_size=10");
        db->exec("CREATE TABLE t(id INTEGER PRIMARY KEY, data BLOB NOT NULL)");
        Insert(*db, 0, 2000);
        SQLite::Statement sum(*db, "SELECT sum(length(data)) FROM t");
        ASSERT_TRUE(sum.executeStep());
        std::int64_t expected = 0;
        for (int row = 0; row < 2000; ++row) expected += static_cast<std::int64_t>(Payload(row).size());
        EXPECT_EQ(sum.getColumn(0).getInt64(), expected);
    }
    auto reopened = Open(nullptr);
    EXPECT_EQ(Count(*reopened), 2000);
    EXPECT_EQ(Check(*reopened), "ok");
}

// What a rolled back transaction gathered never reaches readers, and the
// log goes on correctly after it; a checkpoint copies everything committed.
TEST_F(BatchedLogVfsTest, RollbackAndCheckpointKeepExactlyTheCommits) {
    auto db = Open(BatchedLogVfs::Name());
    db->exec("CREATE TABLE t(id INTEGER PRIMARY KEY, data BLOB NOT NULL)");
    Insert(*db, 0, 10);
    {
        SQLite::Transaction dropped(*db);
        db->exec("INSERT INTO t(id, data) VALUES(100, 'gone')");
        db->exec("DELETE FROM t WHERE id < 5");
    }
    Insert(*db, 10, 10);
    db->exec("PRAGMA wal_checkpoint(TRUNCATE)");
    Insert(*db, 20, 5);
    db.reset();
    auto reopened = Open(nullptr);
    EXPECT_EQ(Count(*reopened), 25);
    EXPECT_EQ(reopened->execAndGet("SELECT count(*) FROM t WHERE id = 100").getInt(), 0);
    EXPECT_EQ(Check(*reopened), "ok");
}

}  // namespace
}  // namespace ostrellix::standin::sqlite
