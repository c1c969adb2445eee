#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/ICategory.h"

namespace ostrellix::outlook {

// The session's master category list. Add raises when the name exists.
class ICategories : public virtual Object {
public:
    virtual Ptr<ICategory> Add(std::string_view name, std::int32_t color = 0) = 0;
    virtual Ptr<ICategory> Item(std::string_view name) = 0;  // nothing when absent
    virtual std::int32_t Count() = 0;
};

}  // namespace ostrellix::outlook
