#include "standins/sqlite/FileClaim.h"

#include <filesystem>
#include <mutex>
#include <set>

namespace ostrellix::standin::sqlite {

namespace {

std::mutex claimsMutex;
std::set<std::string> claims;

}  // namespace

FileClaim::FileClaim(const std::string& path) {
    std::error_code unresolved;
    std::string key = std::filesystem::weakly_canonical(path, unresolved).string();
    if (unresolved) key = std::filesystem::absolute(path).lexically_normal().string();
    const std::lock_guard lock(claimsMutex);
    if (claims.insert(key).second) key_ = std::move(key);
}

FileClaim::~FileClaim() {
    if (!Held()) return;
    const std::lock_guard lock(claimsMutex);
    claims.erase(key_);
}

}  // namespace ostrellix::standin::sqlite
