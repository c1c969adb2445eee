#pragma once

#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// A collection of named values that keep their kinds ("QVR.Properties",
// and the database's settings tree). Child collections nest by name.
class IProperties : public virtual Object {
public:
    // The stored value, or `defaultValue` when the name is absent.
    virtual Variant Value(std::string_view name, const Variant& defaultValue = {}) = 0;
    virtual void SetValue(std::string_view name, const Variant& value) = 0;
    // Removes a value or a child collection; nothing happens when absent.
    virtual void Delete(std::string_view name) = 0;
    // The child collection of that name, created when absent.
    virtual Ptr<IProperties> Child(std::string_view name) = 0;
    // The collection this one is a child of; nothing for a root.
    virtual Ptr<IProperties> Parent() = 0;
};

}  // namespace ostrellix::kelo
