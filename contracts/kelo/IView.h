#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A view ("QVR.View"): the fields to read with a record set, as names or
// relation paths ("company.name"), in the order added. Pass Fields() to
// IRecords::Open.
class IView : public virtual Object {
public:
    virtual void Add(std::string_view fieldOrPath) = 0;
    virtual std::vector<std::string> Fields() = 0;
};

}  // namespace ostrellix::kelo
