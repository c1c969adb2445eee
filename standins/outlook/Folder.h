#pragma once

#include <string>

#include "contracts/outlook/IFolder.h"
#include "standins/outlook/InstanceBound.h"
#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::outlook {

// A folder of the store, read from the store on every call (so a folder
// object never goes stale).
class Folder final : public ol::IFolder, protected InstanceBound {
public:
    Folder(Ptr<Instance> instance, std::string entryId);

    std::string EntryID() override;
    std::string StoreID() override;
    std::string Name() override;
    std::string FolderPath() override;
    std::int32_t DefaultItemType() override;
    Ptr<ol::IItems> Items() override;
    Ptr<ol::IViews> Views() override;
    Ptr<ol::IFolders> Folders() override;
    Ptr<ol::IExplorer> GetExplorer(std::int32_t displayMode) override;

    const std::string& Id() const { return entryId_; }
    FolderInfo Info();

private:
    std::string entryId_;
};

}  // namespace ostrellix::standin::outlook
