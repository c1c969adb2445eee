#include "standins/outlook/Folder.h"

#include "standins/outlook/Errors.h"
#include "standins/outlook/Explorer.h"
#include "standins/outlook/Folders.h"
#include "standins/outlook/Items.h"
#include "standins/outlook/Views.h"

namespace ostrellix::standin::outlook {

Folder::Folder(Ptr<Instance> instance, std::string entryId)
    : InstanceBound(std::move(instance)), entryId_(std::move(entryId)) {}

FolderInfo Folder::Info() {
    std::optional<FolderInfo> info = Live().Store().Folder(entryId_);
    if (!info) errors::Raise(errors::kNotFound, "The folder has been deleted.");
    return std::move(*info);
}

std::string Folder::EntryID() { return Info().entryId; }

std::string Folder::StoreID() { return Info().storeId; }

std::string Folder::Name() { return Info().name; }

std::string Folder::FolderPath() { return Info().path; }

std::int32_t Folder::DefaultItemType() { return Info().itemType; }

Ptr<ol::IItems> Folder::Items() {
    Info();
    return std::make_shared<outlook::Items>(SharedOwner(), entryId_);
}

Ptr<ol::IViews> Folder::Views() {
    Info();
    return std::make_shared<outlook::Views>(SharedOwner(), entryId_);
}

Ptr<ol::IFolders> Folder::Folders() {
    Info();
    return std::make_shared<outlook::Folders>(SharedOwner(), entryId_);
}

Ptr<ol::IExplorer> Folder::GetExplorer(std::int32_t /*displayMode*/) {
    const auto call = Entered();
    Info();
    auto explorer = std::make_shared<Explorer>(SharedOwner(), entryId_);
    Unchecked().OpenWindows().Opened(explorer);
    return explorer;
}

}  // namespace ostrellix::standin::outlook
