#include "standins/sqlite/LogCheckpointer.h"

#include <sqlite3.h>

#include "standins/sqlite/BatchedLogVfs.h"

namespace ostrellix::standin::sqlite {

namespace {

// What the writer copies itself once the thread has copied the rest: a few
// frames' copy and two syncs of little, a short wait.
constexpr int kLastStep = 512;
// Copies on the thread that may leave more than that behind before the
// writer takes the rest anyway, so that the log cannot grow without end.
constexpr int kMostRounds = 4;

}  // namespace

LogCheckpointer::LogCheckpointer(sqlite3* writer, const std::string& path, int pages) : writer_(writer), pages_(pages) {
    // A connection finds the log at its first read; before that, a
    // checkpoint has no log to copy.
    if (sqlite3_open_v2(path.c_str(), &own_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, BatchedLogVfs::Name()) !=
            SQLITE_OK ||
        sqlite3_exec(own_, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        sqlite3_close_v2(own_);
        own_ = nullptr;
        sqlite3_wal_autocheckpoint(writer_, pages_);
        return;
    }
    thread_ = std::thread([this] { Run(); });
    // Replaces the writer's automatic checkpoint, which is a commit hook too.
    sqlite3_wal_hook(writer_, &LogCheckpointer::OnCommit, this);
}

LogCheckpointer::~LogCheckpointer() {
    if (!own_) return;
    sqlite3_wal_hook(writer_, nullptr, nullptr);
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
    sqlite3_close_v2(own_);
}

int LogCheckpointer::OnCommit(void* self, sqlite3* /*writer*/, const char* /*schema*/, int logged) {
    static_cast<LogCheckpointer*>(self)->Committed(logged);
    return SQLITE_OK;
}

void LogCheckpointer::Committed(int logged) {
    if (logged < handedOver_) handedOver_ = 0;
    switch (state_.load()) {
        case State::Copying: return;
        case State::Idle:
            if (logged - handedOver_ >= pages_) {
                handedOver_ = logged;
                rounds_ = 0;
                Wake();
            }
            return;
        case State::Copied:
            if (logged - copied_.load() > kLastStep && ++rounds_ < kMostRounds) {
                Wake();
                return;
            }
            state_ = State::Idle;
            ++lastSteps_;
            if (sqlite3_wal_checkpoint_v2(writer_, "main", SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr) == SQLITE_OK) {
                ++copies_;
            }
            // Once all of it is copied, the log starts over at the next
            // commit; should some of it stay, `pages` more pages wake the
            // thread again.
            handedOver_ = logged;
            return;
    }
}

void LogCheckpointer::SyncDatabaseFile() {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(own_, "main", SQLITE_FCNTL_FILE_POINTER, &file) == SQLITE_OK && file && file->pMethods) {
        // A failed sync is left for the last step's own, which fails the same way.
        file->pMethods->xSync(file, SQLITE_SYNC_NORMAL);
    }
}

void LogCheckpointer::Wake() {
    state_ = State::Copying;
    {
        const std::lock_guard lock(mutex_);
        due_ = true;
    }
    wake_.notify_one();
}

void LogCheckpointer::Run() {
    for (;;) {
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [&] { return due_ || stopping_; });
            if (stopping_) return;
            due_ = false;
        }
        // A copy that fails (the disk) leaves the frames in the log: the
        // writer's last step or the next copy takes them, or the last
        // connection does when it closes.
        int logged = 0, copied = 0;
        if (sqlite3_wal_checkpoint_v2(own_, "main", SQLITE_CHECKPOINT_PASSIVE, &logged, &copied) == SQLITE_OK) {
            ++copies_;
            // SQLite syncs the database file only after a copy that reached
            // the log's end as the writer sees it, which one beside a busy
            // writer rarely does: the writer's last step would then wait
            // for all of this copy's pages to reach the disk. Synced here, it
            // waits for its own few (and after a copy SQLite synced, this
            // one finds nothing to write).
            if (copied > 0) SyncDatabaseFile();
        }
        copied_ = copied;
        state_ = State::Copied;
    }
}

}  // namespace ostrellix::standin::sqlite
