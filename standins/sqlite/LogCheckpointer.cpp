#include "standins/sqlite/LogCheckpointer.h"

#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "standins/sqlite/BatchedLogVfs.h"

namespace ostrellix::standin::sqlite {

namespace {

// What the writer copies itself once the thread has copied the rest: a few
// frames' copy and two syncs of little, a short wait.
constexpr int kLastStep = 512;
// Copies on the thread that may leave more than that behind before the
// writer takes the rest anyway, so that the log cannot grow without end.
constexpr int kMostRounds = 4;
// The log file's header; each frame is a header and a page.
constexpr long long kLogHeaderBytes = 32;
constexpr long long kFrameHeaderBytes = 24;
// How far past its last frame the log is kept prepared: as far as the log
// is long, within these bounds, so that a writer of a few commits has the
// thread prepare little. Once the writer is nearer than that to the
// prepared end, the thread prepares twice as far.
constexpr long long kLeastAhead = 1LL << 20;
constexpr long long kMostAhead = 16LL << 20;

int PageSize(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    int size = 0;
    if (sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        size = sqlite3_column_int(statement, 0);
    }
    sqlite3_finalize(statement);
    return size;
}

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
    // The log exists once a connection has read the database. Without it,
    // or without the page size, the writer grows the log itself.
    if (const int pageSize = PageSize(own_); pageSize > 0) {
        logFile_ = ::open((path + "-wal").c_str(), O_RDWR | O_CLOEXEC);
        frameBytes_ = kFrameHeaderBytes + pageSize;
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
    if (logFile_ >= 0) ::close(logFile_);
    sqlite3_close_v2(own_);
}

int LogCheckpointer::OnCommit(void* self, sqlite3* /*writer*/, const char* /*schema*/, int logged) {
    static_cast<LogCheckpointer*>(self)->Committed(logged);
    return SQLITE_OK;
}

void LogCheckpointer::Committed(int logged) {
    AskAhead(logged);
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

void LogCheckpointer::AskAhead(int logged) {
    if (logFile_ < 0) return;
    // After the log started over, the file is already prepared that far.
    const long long end = kLogHeaderBytes + logged * frameBytes_;
    const long long ahead = std::clamp(end, kLeastAhead, kMostAhead);
    if (end + ahead <= asked_) return;
    asked_ = end + 2 * ahead;
    prepareTo_ = asked_;
    {
        const std::lock_guard lock(mutex_);
        due_ = true;
    }
    wake_.notify_one();
}

void LogCheckpointer::PrepareLog() {
    const long long target = prepareTo_.load();
    if (target <= prepared_) return;
    // Allocation never touches what is written already, so it needs no
    // word with the writer; it also moves the file's end, so that the pages
    // can be read. A failure leaves the writer to grow the file as before.
    if (::fallocate(logFile_, 0, prepared_, target - prepared_) != 0) {
        prepared_ = target;
        return;
    }
    // Reading brings the pages into memory (read ahead, the file system
    // leaves never-written ones out); a failure only leaves them for the
    // writer to bring.
    std::vector<char> scratch(128 * 1024);
    for (long long at = prepared_; at < target;) {
        const auto amount = static_cast<std::size_t>(std::min(static_cast<long long>(scratch.size()), target - at));
        const ssize_t got = ::pread(logFile_, scratch.data(), amount, at);
        if (got <= 0) break;
        at += got;
    }
    prepared_ = target;
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
        if (logFile_ >= 0) PrepareLog();
        if (state_.load() != State::Copying) continue;
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
