#include "standins/kelo/engine/FileAccess.h"

#include <fstream>
#include <iterator>

#include "runtime/ComError.h"
#include "runtime/Guid.h"

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
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    const std::filesystem::path temporary = path.string() + ".tmp-" + Guid::New().ToString().substr(1, 8);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            throw ComError(kPathFileAccessError, "QVR", "The file " + path.string() + " could not be written");
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw ComError(kPathFileAccessError, "QVR",
                       "The file " + path.string() + " could not be written: " + error.message());
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
