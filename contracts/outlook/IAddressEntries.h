#pragma once

#include <cstdint>

#include "contracts/outlook/IAddressEntry.h"

namespace ostrellix::outlook {

// The entries of an address list, in the list's order.
class IAddressEntries : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IAddressEntry> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::outlook
