#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace ostrellix::standin::kelo {

// The last time stamp given to a change in one database, in milliseconds,
// shared by every engine of this process open on the same file (another
// process is kept out while the file is open, BatchedLogVfs). A store of a
// record thus takes its time stamp without a read and a write of its own.
//
// The source learns the last time stamp from the database once: the
// latest one a record carries, or the one kelo_meta keeps, which the
// engine writes whenever a deletion takes away records that may have
// carried a later one (Engine::KeepLastTimestamp).
class TimestampSource {
public:
    // The source of the database file at `path`; one of its own for a database in memory.
    static std::shared_ptr<TimestampSource> For(const std::string& path, bool inMemory);

    // `now`, or just after the last one given when that is not earlier.
    // `stored` reads the last one from the database, on first use.
    double Next(double now, const std::function<double()>& stored);
    // The last one given, or `stored` as above.
    double Last(const std::function<double()>& stored);

private:
    std::mutex mutex_;
    std::optional<double> last_;
};

}  // namespace ostrellix::standin::kelo
