#pragma once

#include <cstdint>
#include <string>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::outlook {

// A custom named property on an item (type olText for text).
class IUserProperty : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t Type() = 0;
    virtual Variant Value() = 0;
    virtual void SetValue(const Variant& value) = 0;
    virtual void Delete() = 0;
};

}  // namespace ostrellix::outlook
