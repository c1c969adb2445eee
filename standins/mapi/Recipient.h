#pragma once

#include <cstdint>

#include "contracts/mapi/IRecipient.h"
#include "standins/mapi/MapiObject.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// A recipient of a message: a row of its recipient table, by row id.
// Resolving looks the name (else the address) up in the address book, never
// with a dialog, and fills in the entry's name, addresses, address type and
// EntryID. A recipient that came with an address (from a file) counts as
// resolved and has a one-off entry.
class Recipient final : public api::IRecipient, public MapiObject {
public:
    Recipient(Ptr<MessageState> state, std::int32_t rowId) : state_(std::move(state)), rowId_(rowId) {}

    std::string Name() override;
    std::string Address() override;
    std::int32_t Type() override;
    void SetType(std::int32_t type) override;
    Ptr<api::IAddressEntry> AddressEntry() override;
    bool Resolve(bool showDialog) override;
    bool Resolved() override;
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

private:
    const msg::RecipientData& Data();
    msg::RecipientData& EditData();

    Ptr<MessageState> state_;
    std::int32_t rowId_;
};

}  // namespace ostrellix::standin::mapi
