#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace ostrellix::host {

// What the path arguments of `ostrellix file` name, in argument order: a
// path that is not a folder stands for itself (whatever it is, so that the
// filing can say what is wrong with it); a folder stands for every ".msg"
// and ".eml" file (in any case) in it and its subfolders, in name order.
// Links to files are taken; links to folders are not followed, so that a
// link back up cannot make the walk endless.
class MessageFileList {
public:
    struct Entry {
        enum class Kind {
            File,              // to be filed
            EmptyFolder,       // a folder argument with no message files in it
            UnreadableFolder,  // a folder that could not be listed; `problem` says why
        };
        Kind kind;
        std::string path;
        std::string problem;
    };

    explicit MessageFileList(const std::vector<std::string>& paths);

    const std::vector<Entry>& Entries() const { return entries_; }
    // How many entries are files.
    std::size_t Files() const { return files_; }

private:
    std::vector<Entry> entries_;
    std::size_t files_ = 0;
};

}  // namespace ostrellix::host
