#pragma once

#include <string>

#include "contracts/outlook/IAddressEntries.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The entries of one address list, read from the address book on each call.
class AddressEntries final : public ol::IAddressEntries, protected InstanceBound {
public:
    AddressEntries(Ptr<Instance> instance, std::string listName)
        : InstanceBound(std::move(instance)), list_(std::move(listName)) {}

    std::int32_t Count() override;
    Ptr<ol::IAddressEntry> Item(std::int32_t index) override;

private:
    std::string list_;
};

}  // namespace ostrellix::standin::outlook
