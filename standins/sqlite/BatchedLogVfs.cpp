#include "standins/sqlite/BatchedLogVfs.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>

namespace ostrellix::standin::sqlite {

namespace {

constexpr const char* kName = "ostrellix-batched-log";
// The platform's layer that keeps a database to the first process that
// reads it, until its last connection closes: the process's connections
// share the log's index in its memory, and a transaction takes no file
// lock.
constexpr const char* kBase = "unix-excl";

// A log frame's header: page number, then the database size after the
// commit, which only a transaction's last frame carries.
constexpr int kFrameHeaderSize = 24;
constexpr int kCommitSizeOffset = 4;
// The platform's layer writes less than 128 KiB per call, so what is
// gathered goes out in parts of at most this, and a large transaction's
// frames go out while it runs rather than all at its commit.
constexpr sqlite3_int64 kMostWritten = 64 * 1024;

sqlite3_vfs* base = nullptr;

struct LogFile {
    sqlite3_file file;    // our methods
    sqlite3_file* real;   // the platform's file, placed after this struct
    unsigned char* data;  // gathered writes, contiguous from `start`
    sqlite3_int64 start;
    sqlite3_int64 size;
    sqlite3_int64 capacity;
    bool commitFramePending;  // the last write was a commit frame's header
};

LogFile& Log(sqlite3_file* file) { return *reinterpret_cast<LogFile*>(file); }

int Flush(LogFile& log) {
    for (sqlite3_int64 done = 0; done < log.size;) {
        const sqlite3_int64 part = std::min(log.size - done, kMostWritten);
        const int rc = log.real->pMethods->xWrite(log.real, log.data + done, static_cast<int>(part), log.start + done);
        if (rc != SQLITE_OK) {
            log.size = 0;
            return rc;
        }
        done += part;
    }
    log.size = 0;
    return SQLITE_OK;
}

int Gather(LogFile& log, const void* bytes, int amount, sqlite3_int64 offset) {
    if (log.size > 0 && offset != log.start + log.size) {
        if (const int rc = Flush(log); rc != SQLITE_OK) return rc;
    }
    if (log.size == 0) log.start = offset;
    if (log.size + amount > log.capacity) {
        sqlite3_int64 capacity = log.capacity == 0 ? 64 * 1024 : log.capacity;
        while (capacity < log.size + amount) capacity *= 2;
        auto* grown = static_cast<unsigned char*>(sqlite3_realloc64(log.data, static_cast<sqlite3_uint64>(capacity)));
        if (!grown) return SQLITE_IOERR_NOMEM;
        log.data = grown;
        log.capacity = capacity;
    }
    std::memcpy(log.data + log.size, bytes, static_cast<std::size_t>(amount));
    log.size += amount;
    return SQLITE_OK;
}

bool IsCommitFrameHeader(const void* bytes, int amount) {
    if (amount != kFrameHeaderSize) return false;
    const auto* header = static_cast<const unsigned char*>(bytes) + kCommitSizeOffset;
    return (header[0] | header[1] | header[2] | header[3]) != 0;
}

int Write(sqlite3_file* file, const void* bytes, int amount, sqlite3_int64 offset) {
    LogFile& log = Log(file);
    const bool completesCommit = log.commitFramePending;
    log.commitFramePending = IsCommitFrameHeader(bytes, amount);
    if (const int rc = Gather(log, bytes, amount, offset); rc != SQLITE_OK) return rc;
    return completesCommit || log.size >= kMostWritten ? Flush(log) : SQLITE_OK;
}

int Close(sqlite3_file* file) {
    LogFile& log = Log(file);
    const int flushed = Flush(log);
    sqlite3_free(log.data);
    log.data = nullptr;
    const int closed = log.real->pMethods->xClose(log.real);
    return flushed != SQLITE_OK ? flushed : closed;
}

// Every use but a write first writes out what is gathered, then goes to the
// platform's file.
template <auto Method, typename... Args>
int Through(sqlite3_file* file, Args... args) {
    LogFile& log = Log(file);
    if (const int rc = Flush(log); rc != SQLITE_OK) return rc;
    return (log.real->pMethods->*Method)(log.real, args...);
}

int Read(sqlite3_file* file, void* bytes, int amount, sqlite3_int64 offset) {
    return Through<&sqlite3_io_methods::xRead>(file, bytes, amount, offset);
}
int Truncate(sqlite3_file* file, sqlite3_int64 size) { return Through<&sqlite3_io_methods::xTruncate>(file, size); }
int Sync(sqlite3_file* file, int flags) { return Through<&sqlite3_io_methods::xSync>(file, flags); }
int FileSize(sqlite3_file* file, sqlite3_int64* size) { return Through<&sqlite3_io_methods::xFileSize>(file, size); }
int Lock(sqlite3_file* file, int level) { return Through<&sqlite3_io_methods::xLock>(file, level); }
int Unlock(sqlite3_file* file, int level) { return Through<&sqlite3_io_methods::xUnlock>(file, level); }
int CheckReservedLock(sqlite3_file* file, int* reserved) {
    return Through<&sqlite3_io_methods::xCheckReservedLock>(file, reserved);
}
int FileControl(sqlite3_file* file, int op, void* argument) {
    return Through<&sqlite3_io_methods::xFileControl>(file, op, argument);
}
int SectorSize(sqlite3_file* file) { return Log(file).real->pMethods->xSectorSize(Log(file).real); }
int DeviceCharacteristics(sqlite3_file* file) {
    return Log(file).real->pMethods->xDeviceCharacteristics(Log(file).real);
}

// A log file has no shared memory and no mapping of its own; SQLite asks
// the database file for those, so these only answer as the platform would.
int ShmMap(sqlite3_file* file, int region, int size, int extend, void volatile** memory) {
    return Through<&sqlite3_io_methods::xShmMap>(file, region, size, extend, memory);
}
int ShmLock(sqlite3_file* file, int offset, int count, int flags) {
    return Through<&sqlite3_io_methods::xShmLock>(file, offset, count, flags);
}
void ShmBarrier(sqlite3_file* file) { Log(file).real->pMethods->xShmBarrier(Log(file).real); }
int ShmUnmap(sqlite3_file* file, int deleteFlag) { return Through<&sqlite3_io_methods::xShmUnmap>(file, deleteFlag); }
int Fetch(sqlite3_file* file, sqlite3_int64 offset, int amount, void** page) {
    return Through<&sqlite3_io_methods::xFetch>(file, offset, amount, page);
}
int Unfetch(sqlite3_file* file, sqlite3_int64 offset, void* page) {
    return Through<&sqlite3_io_methods::xUnfetch>(file, offset, page);
}

const sqlite3_io_methods kLogMethods = {
    3,
    Close,
    Read,
    Write,
    Truncate,
    Sync,
    FileSize,
    Lock,
    Unlock,
    CheckReservedLock,
    FileControl,
    SectorSize,
    DeviceCharacteristics,
    ShmMap,
    ShmLock,
    ShmBarrier,
    ShmUnmap,
    Fetch,
    Unfetch,
};

constexpr int RealOffset() {
    constexpr auto align = alignof(std::max_align_t);
    return static_cast<int>((sizeof(LogFile) + align - 1) / align * align);
}

int Open(sqlite3_vfs* /*self*/, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    if ((flags & SQLITE_OPEN_WAL) == 0) return base->xOpen(base, name, file, flags, outFlags);
    LogFile& log = Log(file);
    log = LogFile{};
    log.real = reinterpret_cast<sqlite3_file*>(reinterpret_cast<unsigned char*>(file) + RealOffset());
    const int rc = base->xOpen(base, name, log.real, flags, outFlags);
    // A failed open leaves no methods, so SQLite will not close the file.
    log.file.pMethods = log.real->pMethods ? &kLogMethods : nullptr;
    return rc;
}

sqlite3_vfs Made() {
    base = sqlite3_vfs_find(kBase);
    if (!base) throw std::runtime_error(std::string("SQLite has no file system layer \"") + kBase + "\"");
    sqlite3_vfs vfs = *base;
    vfs.zName = kName;
    vfs.szOsFile = RealOffset() + base->szOsFile;
    vfs.xOpen = Open;
    vfs.pNext = nullptr;
    return vfs;
}

}  // namespace

const char* BatchedLogVfs::Name() {
    static const char* const name = [] {
        // SQLite counts every allocation it makes under a global lock unless
        // told not to, before its first use; nothing here reads the count.
        // Once SQLite is in use already, the call fails and changes nothing.
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        static sqlite3_vfs vfs = Made();
        if (sqlite3_vfs_register(&vfs, 0) != SQLITE_OK)
            throw std::runtime_error("cannot register the file system layer");
        return kName;
    }();
    return name;
}

}  // namespace ostrellix::standin::sqlite
