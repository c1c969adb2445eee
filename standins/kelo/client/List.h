#pragma once

#include "contracts/kelo/IList.h"

namespace ostrellix::standin::kelo {

class Explorer;

// The list of a list window, read through the window.
class List final : public ostrellix::kelo::IList {
public:
    explicit List(Ptr<Explorer> explorer) : explorer_(std::move(explorer)) {}

    std::int32_t Count() override;
    Ptr<ostrellix::kelo::IListItem> Item(std::int32_t index) override;
    Ptr<ostrellix::kelo::IRecord> CurrentRecord() override;

private:
    Ptr<Explorer> explorer_;
};

}  // namespace ostrellix::standin::kelo
