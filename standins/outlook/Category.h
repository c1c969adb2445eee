#pragma once

#include <string>

#include "contracts/outlook/ICategory.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// A category of the master list, by name.
class Category final : public ol::ICategory, protected InstanceBound {
public:
    Category(Ptr<Instance> instance, std::string name) : InstanceBound(std::move(instance)), name_(std::move(name)) {}

    std::string Name() override;
    std::int32_t Color() override;
    void SetColor(std::int32_t color) override;

private:
    std::string name_;
};

}  // namespace ostrellix::standin::outlook
