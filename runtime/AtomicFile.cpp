#include "runtime/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace ostrellix {

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::string_view kUniquePart = "XXXXXX";

std::filesystem::path FolderOf(const std::filesystem::path& target) {
    return target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
}

std::int32_t NumberFor(AtomicFile::Step step, int systemError) {
    return step == AtomicFile::Step::Create && systemError == ENOENT ? AtomicFile::kPathNotFound
                                                                     : AtomicFile::kPathFileAccessError;
}

// Closes the temporary file and, unless it was renamed into place, removes
// it, whichever way the replacement ends.
class Temporary {
public:
    explicit Temporary(const std::filesystem::path& target)
        : name_(target.string().append(kTemporaryMark).append(kUniquePart)), fd_(::mkostemp(name_.data(), O_CLOEXEC)) {}
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (fd_ >= 0) ::close(fd_);
        if (!renamed_ && fd_ != kNeverOpened) ::unlink(name_.c_str());
    }

    int Fd() const { return fd_; }
    const std::string& Name() const { return name_; }
    bool Opened() const { return fd_ >= 0; }
    // Returns the close's errno, 0 when it succeeded.
    int Close() { return ::close(std::exchange(fd_, kClosed)) == 0 ? 0 : errno; }
    void Renamed() { renamed_ = true; }

private:
    static constexpr int kNeverOpened = -1;
    static constexpr int kClosed = -2;
    std::string name_;
    int fd_;
    bool renamed_ = false;
};

}  // namespace

AtomicFile::Failure::Failure(const std::filesystem::path& target, std::filesystem::path temporary, Step step,
                             int systemError)
    : ComError(NumberFor(step, systemError), "AtomicFile",
               "The file '" + target.string() + "' could not be written: " + std::strerror(systemError)),
      temporary_(std::move(temporary)),
      step_(step),
      systemError_(systemError) {}

std::string AtomicFile::Failure::Reason() const { return std::strerror(systemError_); }

void AtomicFile::Replace(const std::filesystem::path& target, std::span<const std::uint8_t> content, Access access) {
    Temporary temporary(target);
    auto fail = [&](Step step, int systemError) { throw Failure(target, temporary.Name(), step, systemError); };
    if (!temporary.Opened()) fail(Step::Create, errno);
    // mkstemp makes the file its owner's only.
    if (access == Access::Ordinary) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(temporary.Fd(), 0666 & ~mask) != 0) fail(Step::Create, errno);
    }
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t n = ::write(temporary.Fd(), content.data() + done, content.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(Step::Write, errno);
        if (n == 0) fail(Step::Write, ENOSPC);
        done += static_cast<std::size_t>(n);
    }
    // Without the sync the rename can reach the disk before the data, and a
    // machine that stops then leaves an empty file under the old name.
    if (::fsync(temporary.Fd()) != 0) fail(Step::Replace, errno);
    if (const int error = temporary.Close(); error != 0) fail(Step::Replace, error);
    if (::rename(temporary.Name().c_str(), target.c_str()) != 0) fail(Step::Replace, errno);
    temporary.Renamed();
    // The new name is on disk once its folder is; a folder that cannot be
    // opened still holds the whole new file.
    const int folder = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void AtomicFile::Replace(const std::filesystem::path& target, std::string_view content, Access access) {
    Replace(target, {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()}, access);
}

bool AtomicFile::IsTemporaryOf(const std::filesystem::path& file, const std::filesystem::path& target) {
    const std::string name = file.filename().string();
    const std::string prefix = target.filename().string().append(kTemporaryMark);
    return FolderOf(file) == FolderOf(target) && name.size() == prefix.size() + kUniquePart.size() &&
           name.starts_with(prefix);
}

void AtomicFile::RemoveLeftovers(const std::filesystem::path& target) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(FolderOf(target), error)) {
        if (IsTemporaryOf(entry.path(), target)) std::filesystem::remove(entry.path(), error);
    }
}

}  // namespace ostrellix
