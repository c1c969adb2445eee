#pragma once

#include <cstdint>
#include <string>

#include "runtime/Object.h"

namespace ostrellix::outlook {

// A category of the session's master list.
class ICategory : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t Color() = 0;
    virtual void SetColor(std::int32_t color) = 0;
};

}  // namespace ostrellix::outlook
