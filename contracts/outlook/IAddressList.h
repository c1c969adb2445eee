#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/IAddressEntries.h"

namespace ostrellix::outlook {

// One address list of the address book: olExchangeGlobalAddressList (0) for
// the organisation's directory, olOutlookAddressList (2) for a contacts
// folder, olOutlookLdapAddressList (3) for another provider's list such as
// the Kelo address book.
class IAddressList : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t AddressListType() = 0;
    virtual Ptr<IAddressEntries> AddressEntries() = 0;
};

}  // namespace ostrellix::outlook
