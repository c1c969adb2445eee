#pragma once

#include <vector>

#include "contracts/kelo/ISelection.h"

namespace ostrellix::standin::kelo {

// The entries selected in a list window, in the order the user selected them.
class Selection final : public ostrellix::kelo::ISelection {
public:
    explicit Selection(std::vector<Ptr<ostrellix::kelo::IListItem>> items) : items_(std::move(items)) {}

    std::int32_t Count() override { return static_cast<std::int32_t>(items_.size()); }
    Ptr<ostrellix::kelo::IListItem> Item(std::int32_t index) override;

private:
    std::vector<Ptr<ostrellix::kelo::IListItem>> items_;
};

}  // namespace ostrellix::standin::kelo
