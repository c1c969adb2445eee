#pragma once

#include <cstdint>

#include "contracts/outlook/IRecipient.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class Item;

// A recipient: a row of an item's recipient table (by its row id), or one
// standing alone (CreateRecipient, CurrentUser, the select-names dialog's
// picks). Resolving looks its name up in the address book and fills in
// the entry's name, address, address type, SMTP address and EntryID;
// Address is "" while it is unresolved.
class Recipient final : public ol::IRecipient, protected InstanceBound {
public:
    Recipient(Ptr<Item> item, std::int32_t rowId);
    Recipient(Ptr<Instance> instance, msg::RecipientData alone);

    std::string Name() override;
    std::string Address() override;
    std::int32_t Type() override;
    void SetType(std::int32_t type) override;
    bool Resolve() override;
    bool Resolved() override;
    Ptr<ol::IAddressEntry> AddressEntry() override;
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

    const msg::RecipientData& Data();

private:
    msg::RecipientData& EditData();

    Ptr<Item> item_;
    std::int32_t rowId_ = 0;
    msg::RecipientData alone_;
};

}  // namespace ostrellix::standin::outlook
