#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

namespace ostrellix::testing {

// One writer of a file that must survive its process being killed: it
// writes numbered generations of distinguishable content through the
// product's own writer and reads them back through the product's own reader.
class CrashWriter {
public:
    virtual ~CrashWriter() = default;

    // Opens what the writes need; in the killed process, before the first write.
    virtual void Open() = 0;
    // Releases what Open opened (never reached in a killed process).
    virtual void Close() = 0;
    virtual void Write(std::int64_t generation) = 0;
    // The generation the file holds whole, read afresh; nothing when it holds
    // none (torn, empty, mixed). A reader that raises fails the same way.
    virtual std::optional<std::int64_t> Read() = 0;
    // Temporary files of the writer lying in its folder.
    virtual std::vector<std::filesystem::path> Leftovers() = 0;
};

}  // namespace ostrellix::testing
