#pragma once

#include <cstdint>

#include "contracts/kelo/IRecord.h"

namespace ostrellix::kelo {

// One entry of a list window: the id of its record, and the record itself.
class IListItem : public virtual Object {
public:
    virtual std::int32_t ID() = 0;
    virtual Ptr<IRecord> Record() = 0;
};

}  // namespace ostrellix::kelo
