#pragma once

#include <string>

namespace ostrellix::standin::sqlite {

// A database file held by one owner in this process for the claim's life.
// BatchedLogVfs keeps other processes out of a database but lets every
// connection of this one in; a store that must have a single owner (as a
// message store has its one Outlook) claims its file here as well.
class FileClaim {
public:
    // Claims `path` (as the file system resolves it); false from Held()
    // when another claim holds the same file.
    explicit FileClaim(const std::string& path);
    ~FileClaim();
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

    bool Held() const { return !key_.empty(); }

private:
    std::string key_;
};

}  // namespace ostrellix::standin::sqlite
