#pragma once

#include <string>

#include "contracts/outlook/IPropertyAccessor.h"

namespace ostrellix::outlook {

// An entry of an address book: a name, an address and its type ("SMTP", "EX").
class IAddressEntry : public virtual Object {
public:
    virtual std::string ID() = 0;
    virtual std::string Name() = 0;
    virtual std::string Address() = 0;
    virtual std::string Type() = 0;
    virtual Ptr<IPropertyAccessor> PropertyAccessor() = 0;
};

}  // namespace ostrellix::outlook
