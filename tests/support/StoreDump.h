#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "apps/ostrellix/Machine.h"

namespace ostrellix::testing {

// What a machine's stores hold, in a canonical text that two runs can be
// compared by: the Kelo records by class with their field values (without
// the ids and time stamps that follow the order of writes; a document field
// by the document it holds), the stored documents, the database settings (the synchronization time stamps among
// them), the Outlook items of the default folders by folder, KeloID,
// checksum, database, subject and (synchronized kinds) content, and the add-in's synchronization cache
// in the working folder. Outlook must be running.
struct StoreDump {
    static StoreDump Of(host::Machine& machine, const std::filesystem::path& workingFolder);

    std::set<std::string> records;         // "class:id"
    std::vector<std::string> recordLines;  // "class|field=value|...", sorted
    std::vector<std::string> documentLines;
    std::map<std::string, std::string> settings;  // by path: "OutlookTimestamp" ...
    // "folder|KeloID|checksum|database|subject|categories", and for the
    // calendar, tasks and contacts "|body" ("|body/job title" for a contact)
    std::vector<std::string> itemLines;
    std::multiset<std::string> keloIds;           // KeloID of every marked item
    std::string cache;

    // Everything, one line per thing, for comparing and for reading in a failure.
    std::string Text() const;
};

}  // namespace ostrellix::testing
