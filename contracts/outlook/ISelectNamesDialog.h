#pragma once

#include <cstdint>

#include "contracts/outlook/IAddressList.h"
#include "contracts/outlook/IRecipients.h"

namespace ostrellix::outlook {

// The address book's select-names dialog. Display returns true when the
// user confirmed; Recipients then holds the names chosen with their types.
// SetDefaultDisplayMode takes olDefaultMail, olDefaultSingleName ...
// (single name: one To selector, one name).
class ISelectNamesDialog : public virtual Object {
public:
    virtual void SetInitialAddressList(const Ptr<IAddressList>& list) = 0;
    virtual void SetShowOnlyInitialAddressList(bool only) = 0;
    virtual void SetAllowMultipleSelection(bool allow) = 0;
    virtual void SetNumberOfRecipientSelectors(std::int32_t selectors) = 0;  // olShowNone ... olShowToCcBcc
    virtual void SetDefaultDisplayMode(std::int32_t mode) = 0;
    virtual bool Display() = 0;
    virtual Ptr<IRecipients> Recipients() = 0;
};

}  // namespace ostrellix::outlook
