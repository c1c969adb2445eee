#include "standins/kelo/engine/FileAccess.h"

#include <fstream>
#include <iterator>

#include "runtime/AtomicFile.h"
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
    std::error_code ignored;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
    try {
        AtomicFile::Replace(path, data);
    } catch (const AtomicFile::Failure& failure) {
        throw ComError(kPathFileAccessError, "QVR",
                       "The file " + path.string() + " could not be written: " + failure.Reason());
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
