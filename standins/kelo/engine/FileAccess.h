#pragma once

#include <filesystem>
#include <string>

#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

// Whole-file reads and writes for documents and templates, failing with
// errors that name the file.
class FileAccess {
public:
    // Raises 53 when the file does not exist, 75 when it cannot be read.
    static Bytes Read(const std::filesystem::path& path);
    // Writes a temporary file beside the target, syncs it and renames it
    // over the target, so that a reader never sees half a file, not even
    // after the machine stopped; makes the folder.
    static void WriteAtomically(const std::filesystem::path& path, const Bytes& data);
    // A name usable as a file name: characters that file systems refuse
    // become "_".
    static std::string SafeFileName(const std::string& name);
};

inline constexpr std::int32_t kPathFileAccessError = 75;

}  // namespace ostrellix::standin::kelo
