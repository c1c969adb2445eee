#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IView.h"

namespace ostrellix::outlook {

// The views of a folder, in the folder's order.
class IViews : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IView> Item(std::int32_t index) = 0;  // 1-based; raises out of range
    virtual Ptr<IView> Item(std::string_view name) = 0;  // nothing when absent
};

}  // namespace ostrellix::outlook
