#pragma once

#include <cstdint>
#include <string>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A picture of the client's image service (icons for panes and pages).
class IImage : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t Width() = 0;
    virtual std::int32_t Height() = 0;
};

}  // namespace ostrellix::kelo
