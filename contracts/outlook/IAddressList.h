#pragma once

#include <cstdint>
#include <string>

#include "runtime/Object.h"

namespace ostrellix::outlook {

// One address list of the address book (type 0 the global list, 3 a
// contacts folder's list).
class IAddressList : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t AddressListType() = 0;
};

}  // namespace ostrellix::outlook
