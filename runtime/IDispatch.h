#pragma once

#include <string_view>
#include <vector>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix {

enum class InvokeKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

// Late binding: members reached by name at run time, as a script engine
// reaches them. Objects that scripts drive implement it; an unknown member
// raises 438, wrong arguments 450 or 13.
class IDispatch : public virtual Object {
public:
    virtual Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) = 0;
};

}  // namespace ostrellix
