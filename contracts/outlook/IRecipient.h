#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/IAddressEntry.h"

namespace ostrellix::outlook {

// A recipient of an item (type olTo, olCC, olBCC). Resolve looks the name
// up in the address book and tells whether it succeeded.
class IRecipient : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::string Address() = 0;
    virtual std::int32_t Type() = 0;
    virtual void SetType(std::int32_t type) = 0;
    virtual bool Resolve() = 0;
    virtual bool Resolved() = 0;
    virtual Ptr<IAddressEntry> AddressEntry() = 0;
    virtual Ptr<IPropertyAccessor> PropertyAccessor() = 0;
};

}  // namespace ostrellix::outlook
