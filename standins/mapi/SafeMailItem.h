#pragma once

#include "contracts/mapi/ISafeMailItem.h"
#include "standins/mapi/Names.h"

namespace ostrellix::standin::mapi {

// "ZQOutRed.ZQSafeMailItem": reads what Outlook's object model guards,
// such as the sender's address entry, of an Outlook item of this machine's
// Outlook or of a message of the library.
class SafeMailItem final : public api::ISafeMailItem {
public:
    ObjectPtr Item() override { return item_; }
    void SetItem(const ObjectPtr& item) override;
    Ptr<api::IAddressEntry> Sender() override;

private:
    ObjectPtr item_;
};

}  // namespace ostrellix::standin::mapi
