#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "contracts/mapi/IAddressEntry.h"
#include "standins/mapi/Names.h"
#include "standins/message/PropertyBag.h"
#include "standins/outlook/AddressBook.h"

namespace ostrellix::standin::mapi {

// The address-book entries a message names: its sender, the one it was
// sent for, its recipients, as the message's properties give them (an
// EntryID alone is looked up in the address book, and so is the name alone
// of the one a mail is sent for, as Outlook keeps it). An organisation entry
// the directory knows gets the directory's EntryID, and its SMTP address
// when the message lacks it; an entry without an EntryID gets a one-off one.
class MessageParties {
public:
    static std::optional<outlook::AddressEntryData> Sender(const msg::PropertyBag& message, outlook::AddressBook& book);
    static std::optional<outlook::AddressEntryData> Representing(const msg::PropertyBag& message,
                                                                 outlook::AddressBook& book);
    static std::optional<outlook::AddressEntryData> OfRecipient(const msg::PropertyBag& recipient,
                                                                outlook::AddressBook& book);
    // An entry given through the contract, with an EntryID the store can keep.
    static outlook::AddressEntryData FromEntry(api::IAddressEntry& entry);
};

}  // namespace ostrellix::standin::mapi
