#pragma once

#include <cstdint>

#include "contracts/outlook/IItem.h"

namespace ostrellix::outlook {

// The items selected in an explorer, in the order they were selected.
class ISelection : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IItem> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::outlook
