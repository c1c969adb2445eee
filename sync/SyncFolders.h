#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/IFolder.h"

namespace ostrellix::addin {

// The Outlook folders synchronization works in: the one the options name
// by EntryID, else (none named, or it no longer opens) Outlook's default
// folder of that kind.
class SyncFolders {
public:
    static Ptr<outlook::IFolder> Folder(const std::string& configuredEntryId, std::int32_t defaultFolder);
};

}  // namespace ostrellix::addin
