#pragma once

#include <cstdint>

namespace ostrellix::standin::system {

// How much work the stand-ins did, for benchmarks and tests that check the
// cost of an operation rather than its time. Plain integers: everything
// runs on one thread. A machine gives every stand-in the same counters; a
// stand-in made on its own counts into its own.
struct WorkCounters {
    // Messages read from the Outlook store and decoded (an item's property bag).
    std::int64_t messageLoads = 0;
    // Filter evaluations in the Outlook store (Find, Restrict, a restricted
    // collection's look at a changed item).
    std::int64_t searches = 0;
    // Walks over every item of a folder: an unfiltered listing, or a filter
    // that no index lookup can narrow.
    std::int64_t folderScans = 0;
    // SQL statements the Kelo data engine executed.
    std::int64_t statements = 0;
    // Keys the Outlook store indexed when a filter first asked for them,
    // each batch a read of every stored message.
    std::int64_t keysIndexed = 0;
    // Stored messages opened through the MAPI library.
    std::int64_t mapiOpens = 0;
    // Pages the Outlook store wrote to its log when its transactions
    // committed (each commit writes every page it changed, once).
    std::int64_t storePagesWritten = 0;

    void Reset() { *this = WorkCounters{}; }
};

}  // namespace ostrellix::standin::system
