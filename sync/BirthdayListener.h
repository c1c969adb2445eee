#pragma once

#include "contracts/outlook/IItems.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// Switches the reminder off on a birthday that appears in the calendar
// synchronization works in: an appointment whose subject holds "birthday"
// or "födelsedag" in any letter case. One lives for the whole Outlook
// connection, in the object registry.
class BirthdayListener : public virtual Object {
public:
    void Initialize();

private:
    void OnItemAdd(const Ptr<outlook::IItem>& item);

    Ptr<outlook::IItems> m_OutlookItems;
    Connection itemAdd_;
};

}  // namespace ostrellix::addin
