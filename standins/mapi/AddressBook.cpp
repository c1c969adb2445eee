#include "standins/mapi/AddressBook.h"

#include "standins/mapi/AddressEntry.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::mapi {

Ptr<api::IAddressEntry> AddressBook::ResolveName(std::string_view name) {
    const auto entry = link_->Profile().Book().Resolve(name);
    if (!entry) return nullptr;
    return std::make_shared<AddressEntry>(link_, *entry);
}

}  // namespace ostrellix::standin::mapi
