#pragma once

#include <cstdint>
#include <string>

#include "contracts/mapi/IAddressEntry.h"

namespace ostrellix::mapi {

// A recipient of a message (Type 1 To, 2 Cc, 3 Bcc).
class IRecipient : public virtual IMapiObject {
public:
    virtual std::string Name() = 0;
    virtual std::string Address() = 0;
    virtual std::int32_t Type() = 0;
    virtual void SetType(std::int32_t type) = 0;
    virtual Ptr<IAddressEntry> AddressEntry() = 0;  // nothing while unresolved
    virtual bool Resolve(bool showDialog = false) = 0;
    virtual bool Resolved() = 0;
};

}  // namespace ostrellix::mapi
