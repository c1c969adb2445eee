#pragma once

#include <vector>

#include "contracts/outlook/ISelection.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The items selected in an explorer when Selection was read.
class Selection final : public ol::ISelection, protected InstanceBound {
public:
    Selection(Ptr<Instance> instance, std::vector<Ptr<ol::IItem>> items)
        : InstanceBound(std::move(instance)), items_(std::move(items)) {}

    std::int32_t Count() override;
    Ptr<ol::IItem> Item(std::int32_t index) override;

private:
    std::vector<Ptr<ol::IItem>> items_;
};

}  // namespace ostrellix::standin::outlook
