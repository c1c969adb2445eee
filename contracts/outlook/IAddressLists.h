#pragma once

#include <cstdint>

#include "contracts/outlook/IAddressList.h"

namespace ostrellix::outlook {

// The address lists of the session's address book.
class IAddressLists : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IAddressList> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::outlook
