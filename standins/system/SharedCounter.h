#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace ostrellix::standin::system {

// A count kept in the first eight bytes of a file and mapped into every
// process that opens it, so that one process sees another's increments
// without a call to the system. Writers of a shared file count their writes
// in one, and readers tell from it alone that nothing changed.
class SharedCounter {
public:
    SharedCounter() = default;
    ~SharedCounter();
    SharedCounter(const SharedCounter&) = delete;
    SharedCounter& operator=(const SharedCounter&) = delete;

    // Maps the count in `file` (created when its folder exists). Leaves the
    // counter unmapped when the file cannot be opened or mapped.
    void Open(const std::filesystem::path& file);
    bool Mapped() const { return count_ != nullptr; }

    // Nothing while unmapped.
    std::optional<std::uint64_t> Read() const;
    void Increment();

private:
    std::uint64_t* count_ = nullptr;
};

}  // namespace ostrellix::standin::system
