#include "standins/kelo/engine/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

Bytes FileAccess::Read(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw ComError(errors::FileNotFound, "QVR", "File not found: " + path.string());
    }
    std::ifstream in(path, std::ios::binary);
    Bytes data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ComError(kPathFileAccessError, "QVR", "The file " + path.string() + " could not be read");
    return data;
}

void FileAccess::WriteAtomically(const std::filesystem::path& path, const Bytes& data) {
    auto raise = [&](int number) {
        throw ComError(kPathFileAccessError, "QVR",
                       "The file " + path.string() + " could not be written: " + std::strerror(number));
    };
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    // A name the system makes unique: two processes saving the same file
    // must not share one temporary file.
    std::string temporary = path.string() + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) raise(errno);
    // mkstemp makes the file its owner's only; a document is an ordinary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    int number = ::fchmod(fd, 0666 & ~mask) == 0 ? 0 : errno;
    for (std::size_t done = 0; done < data.size() && number == 0;) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno != EINTR) number = errno;
        if (n > 0) done += static_cast<std::size_t>(n);
    }
    // Without the sync a rename can reach the disk before the data, and a
    // machine that stops then leaves an empty file under the old name.
    if (number == 0 && ::fsync(fd) != 0) number = errno;
    if (::close(fd) != 0 && number == 0) number = errno;
    if (number == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) number = errno;
    if (number != 0) {
        ::unlink(temporary.c_str());
        raise(number);
    }
    // The new name is on disk once its folder is; a folder that cannot be
    // opened still holds the whole new file.
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
}

std::string FileAccess::SafeFileName(const std::string& name) {
    std::string safe;
    for (char c : name) {
        const bool refused = c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
                             c == '>' || c == '|' || static_cast<unsigned char>(c) < 0x20;
        safe += refused ? '_' : c;
    }
    if (safe.empty() || safe == "." || safe == "..") return "document";
    return safe;
}

}  // namespace ostrellix::standin::kelo
