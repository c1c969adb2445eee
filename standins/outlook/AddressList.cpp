#include "standins/outlook/AddressList.h"

#include "standins/outlook/AddressEntries.h"

namespace ostrellix::standin::outlook {

std::string AddressList::Name() {
    Live();
    return list_.name;
}

std::int32_t AddressList::AddressListType() {
    Live();
    return list_.type;
}

Ptr<ol::IAddressEntries> AddressList::AddressEntries() {
    Live();
    return std::make_shared<outlook::AddressEntries>(SharedOwner(), list_.name);
}

}  // namespace ostrellix::standin::outlook
