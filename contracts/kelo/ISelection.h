#pragma once

#include <cstdint>

#include "contracts/kelo/IListItem.h"

namespace ostrellix::kelo {

// The entries selected in a list window, in selection order.
class ISelection : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IListItem> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::kelo
