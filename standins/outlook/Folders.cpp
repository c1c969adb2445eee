#include "standins/outlook/Folders.h"

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Folder.h"

namespace ostrellix::standin::outlook {

std::int32_t Folders::Count() { return static_cast<std::int32_t>(Live().Store().Subfolders(parent_).size()); }

Ptr<ol::IFolder> Folders::Item(std::int32_t index) {
    const std::vector<FolderInfo> folders = Live().Store().Subfolders(parent_);
    if (index < 1 || index > static_cast<std::int32_t>(folders.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return std::make_shared<Folder>(SharedOwner(), folders[static_cast<std::size_t>(index - 1)].entryId);
}

Ptr<ol::IFolder> Folders::Item(std::string_view name) {
    for (const FolderInfo& folder : Live().Store().Subfolders(parent_)) {
        if (text::EqualsIgnoreCase(folder.name, name)) return std::make_shared<Folder>(SharedOwner(), folder.entryId);
    }
    return nullptr;
}

Ptr<ol::IFolder> Folders::Add(std::string_view name, std::int32_t itemType) {
    const FolderInfo folder = Live().Store().CreateFolder(parent_, name, itemType);
    return std::make_shared<Folder>(SharedOwner(), folder.entryId);
}

}  // namespace ostrellix::standin::outlook
