#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IClass.h"

namespace ostrellix::kelo {

// The classes of the current database. Lookups return nothing when absent.
class IClasses : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IClass> Item(std::int32_t index) = 0;  // 1-based
    virtual Ptr<IClass> FindByName(std::string_view name) = 0;
    virtual Ptr<IClass> FindByLabel(std::int32_t label) = 0;
};

}  // namespace ostrellix::kelo
