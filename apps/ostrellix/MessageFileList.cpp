#include "apps/ostrellix/MessageFileList.h"

#include <algorithm>
#include <filesystem>

#include "runtime/Text.h"

namespace ostrellix::host {

namespace {

namespace fs = std::filesystem;
using Entry = MessageFileList::Entry;

bool IsMessageFile(const fs::path& path) {
    const std::string extension = text::LCase(path.extension().string());
    return extension == ".msg" || extension == ".eml";
}

// Adds the message files under `folder` to `files` and a problem entry for
// every folder that could not be listed.
void Walk(const fs::path& folder, std::vector<fs::path>& files, std::vector<Entry>& problems) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const fs::directory_entry& entry = *entries;
        std::error_code ignored;  // an entry that vanishes or cannot be examined counts as neither
        if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
            Walk(entry.path(), files, problems);
        } else if (!entry.is_directory(ignored) && IsMessageFile(entry.path())) {
            files.push_back(entry.path());
        }
    }
    if (error) problems.push_back({Entry::Kind::UnreadableFolder, folder.string(), error.message()});
}

}  // namespace

MessageFileList::MessageFileList(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
        std::error_code ignored;
        if (!fs::is_directory(path, ignored)) {
            entries_.push_back({Entry::Kind::File, path, {}});
            ++files_;
            continue;
        }
        std::vector<fs::path> files;
        std::vector<Entry> problems;
        Walk(path, files, problems);
        // Paths compare name by name, so a subfolder's files come where its name falls.
        std::ranges::sort(files);
        for (const fs::path& file : files) entries_.push_back({Entry::Kind::File, file.string(), {}});
        files_ += files.size();
        entries_.insert(entries_.end(), problems.begin(), problems.end());
        if (files.empty()) entries_.push_back({Entry::Kind::EmptyFolder, path, {}});
    }
}

}  // namespace ostrellix::host
