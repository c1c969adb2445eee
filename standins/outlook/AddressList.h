#pragma once

#include "contracts/outlook/IAddressList.h"
#include "standins/outlook/AddressBook.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// One list of the address book.
class AddressList final : public ol::IAddressList, protected InstanceBound {
public:
    AddressList(Ptr<Instance> instance, AddressListData list)
        : InstanceBound(std::move(instance)), list_(std::move(list)) {}

    std::string Name() override;
    std::int32_t AddressListType() override;
    Ptr<ol::IAddressEntries> AddressEntries() override;

    const std::string& ListName() const { return list_.name; }

private:
    AddressListData list_;
};

}  // namespace ostrellix::standin::outlook
