#pragma once

#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/MessageFileList.h"
#include "apps/ostrellix/RecordContext.h"

namespace ostrellix::host {

// `ostrellix file PATH... [--context CLASS:ID] [--json]`: files ".msg" and
// ".eml" files into the Kelo database the way a user does by dropping them
// on a Kelo window: the add-in imports each file in the client's progress
// dialog and shows the document record it made in a record window, which
// the user then saves. A folder stands for the message files in it and its
// subfolders, in name order (MessageFileList). Without a context the files
// are dropped on a list window of documents; with one, on that record's
// window, which links the records to it. Prints per file the records
// stored and what they are linked to, or why there is none (as JSON lines
// when the host prints for scripts); a file that fails, however it fails,
// does not stop the others. Draws the progress when the host has a
// terminal for it.
class FileCommand {
public:
    // 0 when every file was filed, 1 when some were not.
    static int Run(Host& host, const std::vector<std::string>& paths, const std::optional<std::string>& context);
    // The same on a started host, for files already listed (`ostrellix kelo drop`).
    static int Drop(Host& host, const MessageFileList& list, const std::optional<RecordContext>& context);
};

}  // namespace ostrellix::host
