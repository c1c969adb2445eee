#pragma once

namespace ostrellix::standin::sqlite {

// The stand-ins' databases run with a write-ahead log, which SQLite writes
// two calls per page (a frame's header, then its page). A commit of a few
// pages thus made a dozen small writes, and their calls cost more than the
// bytes. This file system layer gathers a transaction's log writes in
// memory and hands them on as one write when the commit frame is complete,
// still inside the commit, before SQLite publishes the frames to readers:
// what a commit has written is in the file when the commit returns, as
// before. Any other use of the log file (a read, its size, a sync, a
// truncation, closing it) first writes out what is gathered, so no reader
// ever sees the file without its own writes. Database files and their
// shared-memory index go to the platform's layer unchanged.
//
// That layer is the one that keeps a database to the first process that
// reads it, until the process's last connection to it closes: another
// process is refused, connections within the process share it (see
// LogCheckpointer), and a transaction takes no file lock.
class BatchedLogVfs {
public:
    // The registered name to open a database with (registered on first call).
    static const char* Name();
};

}  // namespace ostrellix::standin::sqlite
