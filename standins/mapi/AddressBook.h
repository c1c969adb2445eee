#pragma once

#include "contracts/mapi/IAddressBook.h"
#include "standins/mapi/SessionLink.h"

namespace ostrellix::standin::mapi {

// The session's address book: names resolve as Outlook resolves them, and
// never with a dialog.
class AddressBook final : public api::IAddressBook {
public:
    explicit AddressBook(Ptr<SessionLink> link) : link_(std::move(link)) {}

    Ptr<api::IAddressEntry> ResolveName(std::string_view name) override;

private:
    Ptr<SessionLink> link_;
};

}  // namespace ostrellix::standin::mapi
