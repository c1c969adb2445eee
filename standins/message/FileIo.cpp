#include "standins/message/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "standins/message/MessageFileError.h"

namespace ostrellix::standin::message {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

std::string Reason(int error) { return std::strerror(error); }

}  // namespace

std::vector<std::uint8_t> FileIo::ReadAll(const std::filesystem::path& path, std::uint64_t maxBytes,
                                          std::string_view source) {
    const std::string name = path.string();
    Descriptor fd(::open(name.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        const int error = errno;
        RaiseFileError(error == ENOENT ? file_error::NotFound : file_error::AccessDenied, source, name, "read",
                       error == ENOENT ? "the file does not exist" : Reason(error));
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0) RaiseFileError(file_error::AccessDenied, source, name, "read", Reason(errno));
    if (!S_ISREG(info.st_mode)) RaiseFileError(file_error::AccessDenied, source, name, "read", "it is not a file");
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        RaiseFileError(file_error::TooBig, source, name, "read", "the file is larger than the limit");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) RaiseFileError(file_error::AccessDenied, source, name, "read", Reason(errno));
        if (n == 0) break;  // the file shrank while it was read
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

void FileIo::WriteAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                             std::string_view source) {
    const std::string name = path.string();
    const std::filesystem::path directory = path.has_parent_path() ? path.parent_path() : ".";
    std::string temporary = (directory / ("." + path.filename().string() + ".XXXXXX")).string();
    Descriptor fd(::mkstemp(temporary.data()));
    if (fd.Get() < 0) RaiseFileError(file_error::CannotSave, source, name, "write", Reason(errno));
    auto fail = [&](int error) {
        ::unlink(temporary.c_str());
        RaiseFileError(file_error::CannotSave, source, name, "write", Reason(error));
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) fail(errno);
        done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file readable by its owner only; a message file is an ordinary document.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd.Get(), 0666 & ~mask) != 0 || ::fsync(fd.Get()) != 0) fail(errno);
    if (::close(fd.Release()) != 0) fail(errno);
    if (::rename(temporary.c_str(), name.c_str()) != 0) fail(errno);
    Descriptor dir(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.Get() >= 0) ::fsync(dir.Get());
}

}  // namespace ostrellix::standin::message
