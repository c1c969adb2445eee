#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IFilter.h"

namespace ostrellix::kelo {

// The filters users stored for one class of the database, in the order of
// their names. Each one is handed out as a filter of its own, so that
// changing it changes nothing stored.
class IStoredFilters : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual std::string Name(std::int32_t index) = 0;     // 1-based
    virtual Ptr<IFilter> Filter(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::kelo
