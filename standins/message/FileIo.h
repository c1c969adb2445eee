#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

namespace ostrellix::standin::message {

// Whole-file reads and writes for the message files, with errors that name
// the file.
class FileIo {
public:
    // Raises file_error::NotFound, AccessDenied or TooBig (over `maxBytes`).
    static std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path, std::uint64_t maxBytes,
                                             std::string_view source);

    // Writes a temporary file beside the target, flushes it to disk and
    // renames it over the target, so that the target is either the old file
    // or the whole new one. Raises file_error::CannotSave.
    static void WriteAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                                std::string_view source);
};

}  // namespace ostrellix::standin::message
