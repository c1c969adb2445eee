#include "standins/message/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "runtime/AtomicFile.h"
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
    try {
        AtomicFile::Replace(path, bytes);
    } catch (const AtomicFile::Failure& failure) {
        RaiseFileError(file_error::CannotSave, source, path.string(), "write", failure.Reason());
    }
}

}  // namespace ostrellix::standin::message
