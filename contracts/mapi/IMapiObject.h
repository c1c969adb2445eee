#pragma once

#include <cstdint>

#include "contracts/outlook/IPropertyAccessor.h"
#include "runtime/Variant.h"

namespace ostrellix::mapi {

// What every object of the MAPI library offers: any MAPI property by tag
// (Empty when the object lacks it), and the same through a property accessor.
class IMapiObject : public virtual Object {
public:
    virtual Variant Fields(std::uint32_t tag) = 0;
    virtual void SetFields(std::uint32_t tag, const Variant& value) = 0;
    virtual Ptr<outlook::IPropertyAccessor> PropertyAccessor() = 0;
};

}  // namespace ostrellix::mapi
