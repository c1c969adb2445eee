#pragma once

#include <string>

#include "contracts/outlook/IViews.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The views of a folder.
class Views final : public ol::IViews, protected InstanceBound {
public:
    Views(Ptr<Instance> instance, std::string folderEntryId)
        : InstanceBound(std::move(instance)), folder_(std::move(folderEntryId)) {}

    std::int32_t Count() override;
    Ptr<ol::IView> Item(std::int32_t index) override;
    Ptr<ol::IView> Item(std::string_view name) override;

private:
    std::string folder_;
};

}  // namespace ostrellix::standin::outlook
