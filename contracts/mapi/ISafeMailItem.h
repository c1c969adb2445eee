#pragma once

#include "contracts/mapi/IAddressEntry.h"

namespace ostrellix::mapi {

// "ZQOutRed.ZQSafeMailItem": wraps an Outlook mail item or a message to
// read what the object model guards, such as the sender.
class ISafeMailItem : public virtual Object {
public:
    virtual ObjectPtr Item() = 0;
    virtual void SetItem(const ObjectPtr& item) = 0;
    virtual Ptr<IAddressEntry> Sender() = 0;
};

}  // namespace ostrellix::mapi
