#pragma once

#include <string>

#include "contracts/outlook/IFolders.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The subfolders of a folder.
class Folders final : public ol::IFolders, protected InstanceBound {
public:
    Folders(Ptr<Instance> instance, std::string parentEntryId)
        : InstanceBound(std::move(instance)), parent_(std::move(parentEntryId)) {}

    std::int32_t Count() override;
    Ptr<ol::IFolder> Item(std::int32_t index) override;
    Ptr<ol::IFolder> Item(std::string_view name) override;
    Ptr<ol::IFolder> Add(std::string_view name, std::int32_t itemType) override;

private:
    std::string parent_;
};

}  // namespace ostrellix::standin::outlook
