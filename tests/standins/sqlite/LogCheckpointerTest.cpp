#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>

#include "standins/sqlite/BatchedLogVfs.h"
#include "tests/standins/system/TempDirectory.h"
#include "standins/sqlite/LogCheckpointer.h"

namespace ostrellix::standin::sqlite {
namespace {

namespace fs = std::filesystem;

constexpr int kPageSize = 4096;

class LogCheckpointerTest : public ::testing::Test {
protected:
    void SetUp() override {
        db_ = std::make_unique<SQLite::Database>(path_.c_str(), SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE, 0,
                                                 BatchedLogVfs::Name());
        db_->exec("PRAGMA journal_mode=WAL");
        db_->exec("PRAGMA synchronous=NORMAL");
        db_->exec("CREATE TABLE t(id INTEGER PRIMARY KEY, data BLOB)");
    }
    void TearDown() override { db_.reset(); }

    // One commit of a row a page long: a commit of two frames (the row's
    // page and the table's root) once the table has grown.
    void Commit(int row) {
        SQLite::Statement insert(*db_, "INSERT INTO t(id, data) VALUES(?, ?)");
        insert.bind(1, row);
        insert.bind(2, std::string(kPageSize - 200, static_cast<char>('a' + row % 26)));
        insert.exec();
    }
    std::int64_t Rows() { return db_->execAndGet("SELECT count(*) FROM t").getInt64(); }
    std::uintmax_t LogBytes() const { return fs::file_size(path_ + "-wal"); }
    // Frames in the log now (a copy of what is not copied yet comes with the answer).
    int LoggedFrames() {
        int logged = -1, copied = -1;
        sqlite3_wal_checkpoint_v2(db_->getHandle(), "main", SQLITE_CHECKPOINT_PASSIVE, &logged, &copied);
        return logged;
    }
    std::uintmax_t FileBytes() const { return fs::file_size(path_); }

    testing::TempDirectory folder_;
    const std::string path_ = (folder_.Path() / "test.db").string();
    std::unique_ptr<SQLite::Database> db_;
};

// Waits up to ten seconds for a copy on the thread to finish.
template <class Done>
bool Eventually(Done done) {
    for (int i = 0; i < 1000 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return done();
}

// A writer that waits for each copy: the bulk goes into the database file
// on the thread, the writer's next commit takes the few frames logged
// since, and the log then starts over instead of growing.
TEST_F(LogCheckpointerTest, TheThreadCopiesTheBulkAndTheLogStartsOver) {
    LogCheckpointer checkpointer(db_->getHandle(), path_, 64);
    const std::uintmax_t fileBefore = FileBytes();
    int row = 0;
    while (checkpointer.Copies() == 0 && row < 200) {
        Commit(++row);
        ASSERT_TRUE(Eventually([&] { return !checkpointer.Copying(); }));
    }
    ASSERT_EQ(checkpointer.Copies(), 1) << "after " << row << " commits";
    EXPECT_EQ(checkpointer.LastSteps(), 0);
    EXPECT_GT(FileBytes(), fileBefore + 16u * kPageSize);

    Commit(++row);
    EXPECT_EQ(checkpointer.Copies(), 2);
    EXPECT_EQ(checkpointer.LastSteps(), 1);
    // 600 more commits: 1,200 frames or more logged, and the log never
    // longer than a copy's span and the frames of a few commits.
    for (int i = 0; i < 600; ++i) {
        Commit(++row);
        ASSERT_TRUE(Eventually([&] { return !checkpointer.Copying(); }));
    }
    EXPECT_LE(LoggedFrames(), 80);
    EXPECT_GE(checkpointer.Copies(), 20);
    EXPECT_EQ(Rows(), row);
}

// A writer that never waits: copies run beside its commits, and every
// commit is in the database, whole, when it is opened again.
TEST_F(LogCheckpointerTest, CommitsBesideCopiesAreAllKept) {
    constexpr int kCommits = 3000;
    {
        LogCheckpointer checkpointer(db_->getHandle(), path_, 32);
        for (int row = 1; row <= kCommits; ++row) Commit(row);
        EXPECT_TRUE(Eventually([&] { return checkpointer.Copies() > 0; }));
    }
    db_.reset();
    EXPECT_FALSE(fs::exists(path_ + "-wal")) << "the last connection copies the log and removes it";
    SQLite::Database reopened(path_, SQLite::OPEN_READONLY);
    EXPECT_EQ(reopened.execAndGet("SELECT count(*) FROM t").getInt64(), kCommits);
    EXPECT_EQ(reopened.execAndGet("PRAGMA integrity_check").getString(), "ok");
}

// The log file is kept allocated past its last frame; the database as
// a crash leaves it (its file and log, copied while in use) opens with
// every commit, since what follows the frames reads as the log's end.
TEST_F(LogCheckpointerTest, TheLogIsKeptAheadAndACrashLosesNoCommit) {
    constexpr int kCommits = 50;
    LogCheckpointer checkpointer(db_->getHandle(), path_, 100000);
    for (int row = 1; row <= kCommits; ++row) Commit(row);
    ASSERT_TRUE(Eventually([&] { return LogBytes() >= (2u << 20); })) << LogBytes();
    const fs::path crashed = folder_.Path() / "crashed.db";
    fs::copy_file(path_, crashed);
    fs::copy_file(path_ + "-wal", crashed.string() + "-wal");
    SQLite::Database reopened(crashed.string(), SQLite::OPEN_READWRITE);
    EXPECT_EQ(reopened.execAndGet("SELECT count(*) FROM t").getInt64(), kCommits);
    EXPECT_EQ(reopened.execAndGet("PRAGMA integrity_check").getString(), "ok");
}

}  // namespace
}  // namespace ostrellix::standin::sqlite
