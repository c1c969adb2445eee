#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "runtime/ComError.h"

namespace ostrellix {

// Replaces a file whole: the content goes to a temporary file beside the
// target, is synced, renamed over the target, and the folder is synced, so
// that a reader finds the old file or the whole new one, even after the
// process was killed or the machine stopped. The temporary name is one
// mkstemp makes, so that neither two processes nor a forked child ever
// write into the same temporary file (and no child inherits it open).
class AtomicFile {
public:
    // What the replacement was doing when it failed.
    enum class Step {
        Create,   // making the temporary file
        Write,    // filling it
        Replace,  // syncing it and renaming it over the target
    };

    // A failed replacement: 76 (path not found) when the folder is missing,
    // 75 (path/file access error) otherwise; "The file '<target>' could not
    // be written: <reason>". The old file is untouched and the temporary one
    // is gone. Callers that answer with their own platform's error read the
    // step and the system's error number from it.
    class Failure : public ComError {
    public:
        Failure(const std::filesystem::path& target, std::filesystem::path temporary, Step step, int systemError);

        Step Where() const noexcept { return step_; }
        int SystemError() const noexcept { return systemError_; }
        // The system's text for SystemError().
        std::string Reason() const;
        // The temporary file's name as far as it was made (the template
        // when creating it failed).
        const std::filesystem::path& Temporary() const noexcept { return temporary_; }

    private:
        std::filesystem::path temporary_;
        Step step_;
        int systemError_;
    };

    // Who may read the new file: anyone the user's umask lets (a document),
    // or its owner only.
    enum class Access { Ordinary, OwnerOnly };

    static constexpr std::int32_t kPathFileAccessError = 75;
    static constexpr std::int32_t kPathNotFound = 76;

    // Raises Failure. The folder must exist.
    static void Replace(const std::filesystem::path& target, std::span<const std::uint8_t> content,
                        Access access = Access::Ordinary);
    static void Replace(const std::filesystem::path& target, std::string_view content,
                        Access access = Access::Ordinary);

    // Whether `file` is a temporary file of a replacement of `target`.
    static bool IsTemporaryOf(const std::filesystem::path& file, const std::filesystem::path& target);
    // Removes the temporary files that killed replacements of `target`
    // left. Only for a caller that holds a lock every writer of `target`
    // takes, since another writer's temporary file looks just the same.
    static void RemoveLeftovers(const std::filesystem::path& target);
};

}  // namespace ostrellix
