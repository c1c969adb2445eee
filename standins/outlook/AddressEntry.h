#pragma once

#include "contracts/outlook/IAddressEntry.h"
#include "standins/outlook/AddressBook.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// An entry of the address book. Its property accessor reads PR_DISPLAY_NAME,
// PR_EMAIL_ADDRESS, PR_ADDRTYPE, PR_SMTP_ADDRESS and PR_ENTRYID.
class AddressEntry final : public ol::IAddressEntry, protected InstanceBound {
public:
    AddressEntry(Ptr<Instance> instance, AddressEntryData entry);

    std::string ID() override;
    std::string Name() override;
    std::string Address() override;
    std::string Type() override;
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

    const AddressEntryData& Data() const { return entry_; }

private:
    AddressEntryData entry_;
    msg::PropertyBag properties_;
};

}  // namespace ostrellix::standin::outlook
