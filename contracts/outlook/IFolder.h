#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/IFolders.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IViews.h"

namespace ostrellix::outlook {

class IExplorer;

// A folder of a message store. FolderPath is its path from the store's
// root ("\\Mailbox - Anna Berg\Calendar"), unique per folder.
// DefaultItemType is the kind of item it holds (olMailItem ...). Items gives
// a new collection on every call; each raises the folder's events.
class IFolder : public virtual Object {
public:
    virtual std::string EntryID() = 0;
    virtual std::string StoreID() = 0;
    virtual std::string Name() = 0;
    virtual std::string FolderPath() = 0;
    virtual std::int32_t DefaultItemType() = 0;
    virtual Ptr<IItems> Items() = 0;
    virtual Ptr<IViews> Views() = 0;
    virtual Ptr<IFolders> Folders() = 0;
    // A new explorer showing this folder, not yet displayed (NewExplorer
    // has been raised). The display mode is accepted and not used.
    virtual Ptr<IExplorer> GetExplorer(std::int32_t displayMode = 0) = 0;
};

}  // namespace ostrellix::outlook
