#pragma once

#include "contracts/outlook/ICategories.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The session's master category list (kept in the store). Adding a name
// that exists raises.
class Categories final : public ol::ICategories, protected InstanceBound {
public:
    using InstanceBound::InstanceBound;

    Ptr<ol::ICategory> Add(std::string_view name, std::int32_t color) override;
    Ptr<ol::ICategory> Item(std::string_view name) override;
    std::int32_t Count() override;
};

}  // namespace ostrellix::standin::outlook
