#include "sync/SyncFolders.h"

#include "core/Globals.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

Ptr<outlook::IFolder> SyncFolders::Folder(const std::string& configuredEntryId, std::int32_t defaultFolder) {
    Ptr<outlook::IFolder> folder;
    IgnoreErrors([&] {
        const auto session = Globals::Outlook()->Session();
        if (!configuredEntryId.empty()) IgnoreErrors([&] { folder = session->GetFolderFromID(configuredEntryId); });
        if (!folder) folder = session->GetDefaultFolder(defaultFolder);
    });
    return folder;
}

}  // namespace ostrellix::addin
