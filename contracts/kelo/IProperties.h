#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// A collection of named values that keep their kinds ("QVR.Properties",
// and the database's settings tree). Child collections nest by name. Names
// compare without regard to case; a backslash in a name walks child
// collections ("PerClass\\person\\Mode" is the value "Mode" of the child
// "person" of the child "PerClass").
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
    // Names of the values, and of the child collections, in order of creation.
    virtual std::vector<std::string> Names() = 0;
    virtual std::vector<std::string> ChildNames() = 0;
};

}  // namespace ostrellix::kelo
