#pragma once

#include "contracts/outlook/IAddressLists.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The lists of the address book, the global address list first.
class AddressLists final : public ol::IAddressLists, protected InstanceBound {
public:
    using InstanceBound::InstanceBound;

    std::int32_t Count() override;
    Ptr<ol::IAddressList> Item(std::int32_t index) override;
};

}  // namespace ostrellix::standin::outlook
