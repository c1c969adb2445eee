#pragma once

#include "contracts/mapi/IAddressEntry.h"
#include "standins/mapi/SessionLink.h"
#include "standins/mapi/MapiObject.h"
#include "standins/message/PropertyBag.h"
#include "standins/outlook/AddressBook.h"

namespace ostrellix::standin::mapi {

// An address-book entry (or a one-off address) as the library shows it.
// Its properties are PR_DISPLAY_NAME, PR_EMAIL_ADDRESS, PR_ADDRTYPE,
// PR_SMTP_ADDRESS and PR_ENTRYID; they are read-only.
class AddressEntry final : public api::IAddressEntry, public MapiObject {
public:
    AddressEntry(Ptr<SessionLink> link, outlook::AddressEntryData data);

    std::string EntryID() override { return Checked().entryId; }
    std::string Name() override { return Checked().name; }
    std::string Address() override { return Checked().address; }
    std::string Type() override { return Checked().type; }
    std::string SMTPAddress() override { return Checked().smtpAddress; }
    Ptr<ol::IPropertyAccessor> PropertyAccessor() override;

private:
    const outlook::AddressEntryData& Checked() const;

    Ptr<SessionLink> link_;
    outlook::AddressEntryData data_;
    msg::PropertyBag properties_;
};

}  // namespace ostrellix::standin::mapi
