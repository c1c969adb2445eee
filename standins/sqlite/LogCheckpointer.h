#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

struct sqlite3;

namespace ostrellix::standin::sqlite {

// Copies a database's write-ahead log back into the database file mostly on
// a thread of its own, through a connection of its own. Left to the writing
// connection, that copy (and the two syncs around it, which wait for the
// disk) lands in whichever commit crosses the log's limit, and a run of
// saves stalls there for the whole copy.
//
// Here a commit that finds `pages` pages logged wakes the thread, which
// copies what is logged ("passive") while the writer goes on. The log can
// only start over from its beginning once every frame of it was copied, so
// the writer's next commit after a copy takes what was logged meanwhile:
// on the thread again while that is much, itself once it is a few frames.
// Without that last step the log would only grow while the writer is
// busy, and a growing file costs more per write than one written over.
// Durability is SQLite's own: the log is synced before any page of it
// reaches the database file.
//
// The thread also keeps the log file ahead of the writer: allocated on the
// disk and read into memory past the last frame (as far as the log is
// long, from 1 to 32 MB), so that a commit's frames land on pages that exist. A write that grows the file
// costs the writer a fresh page in memory and a block reserved for it on
// the disk for every page; over the first few thousand frames of a busy
// run, before the log starts over, that was a tenth of the run. Space past
// the last frame reads as zeros, which SQLite takes for the log's end.
//
// The writer's connection must be opened through BatchedLogVfs, which
// keeps the log's index in this process, so both connections share it.
// What is still in the log when the checkpointer stops is copied by the
// last connection to close, as always.
class LogCheckpointer {
public:
    // Takes over checkpointing from `writer`'s automatic one (its commit
    // hook); `path` is the database file, opened again for the thread. When
    // that fails, `writer` keeps checkpointing itself every `pages` pages.
    LogCheckpointer(sqlite3* writer, const std::string& path, int pages);
    // Waits for a copy under way and closes the thread's connection; must
    // run before `writer` closes.
    ~LogCheckpointer();
    LogCheckpointer(const LogCheckpointer&) = delete;
    LogCheckpointer& operator=(const LogCheckpointer&) = delete;

    // Copies completed so far, on the thread and by the writer; of them,
    // the writer's last steps; whether the thread is copying now.
    int Copies() const { return copies_.load(); }
    int LastSteps() const { return lastSteps_; }
    bool Copying() const { return state_.load() == State::Copying; }

private:
    enum class State { Idle, Copying, Copied };

    static int OnCommit(void* self, sqlite3* writer, const char* schema, int logged);
    void Committed(int logged);
    void AskAhead(int logged);
    void PrepareLog();
    void SyncDatabaseFile();
    void Wake();
    void Run();

    sqlite3* writer_;
    sqlite3* own_ = nullptr;
    const int pages_;
    // The writer's side, read and written by its commits only: the log's
    // length when the thread was last woken (the log starts over from its
    // first frame once all of it was copied, and the count with it), and
    // how many copies on the thread in a row have not caught up.
    int handedOver_ = 0;
    int rounds_ = 0;
    int lastSteps_ = 0;
    // The log file, opened again for the thread (-1: not kept ahead), the
    // bytes a frame takes, and how far the writer asked it prepared.
    int logFile_ = -1;
    long long frameBytes_ = 0;
    long long asked_ = 0;
    // Between the two sides: the thread's state, and the frames its last
    // copy reached.
    std::atomic<State> state_{State::Idle};
    std::atomic<int> copied_{0};
    std::atomic<int> copies_{0};
    std::atomic<long long> prepareTo_{0};
    long long prepared_ = 0;  // the thread's
    std::mutex mutex_;
    std::condition_variable wake_;
    bool due_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace ostrellix::standin::sqlite
