#pragma once

#include <cstdint>

#include "contracts/kelo/IListItem.h"

namespace ostrellix::kelo {

// The list of a list window: its entries in the order shown, and the record
// of the entry the cursor stands on (the explorer's active item).
class IList : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IListItem> Item(std::int32_t index) = 0;  // 1-based; raises 9 out of range
    virtual Ptr<IRecord> CurrentRecord() = 0;             // nothing when no entry is current
};

}  // namespace ostrellix::kelo
