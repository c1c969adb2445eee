#include "standins/system/SharedCounter.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>

namespace ostrellix::standin::system {

namespace {
constexpr off_t kSize = sizeof(std::uint64_t);
}

SharedCounter::~SharedCounter() {
    if (count_) ::munmap(count_, kSize);
}

void SharedCounter::Open(const std::filesystem::path& file) {
    if (count_) return;
    const int fd = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) return;
    struct stat info {};
    // Growing a file to eight bytes twice, or after another process counted in it, changes nothing.
    if (::fstat(fd, &info) == 0 && (info.st_size >= kSize || ::ftruncate(fd, kSize) == 0)) {
        void* mapped = ::mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapped != MAP_FAILED) count_ = static_cast<std::uint64_t*>(mapped);
    }
    ::close(fd);
}

std::optional<std::uint64_t> SharedCounter::Read() const {
    if (!count_) return std::nullopt;
    return std::atomic_ref<std::uint64_t>(*count_).load(std::memory_order_acquire);
}

void SharedCounter::Increment() {
    if (count_) std::atomic_ref<std::uint64_t>(*count_).fetch_add(1, std::memory_order_acq_rel);
}

}  // namespace ostrellix::standin::system
