#pragma once

#include "contracts/outlook/IItems.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

class Options;

// Pushes an appointment, task or contact that the user changed in Outlook
// into its Kelo record, as soon as it is saved, while the option for its
// kind is on. Only a change the stored checksums do not know counts, so
// the saves of the add-in itself (this listener's, a synchronization
// run's, a pushed Kelo record's) never come back. One lives for the whole
// Outlook connection, in the object registry.
class SynchListener : public virtual Object {
public:
    // Watches the items of the calendar, tasks and contacts folders synchronization works in.
    void Initialize();

private:
    struct Watched {
        Ptr<outlook::IItems> items;
        Connection change;
    };

    void Watch(Watched& watched, const Ptr<outlook::IFolder>& folder, const char* handler, bool (Options::*option)());
    void OnItemChange(const char* handler, bool (Options::*option)(), const Ptr<outlook::IItem>& item);
    void SynchronizeItem(const Ptr<outlook::IItem>& item);

    Watched m_OutlookTasks;
    Watched m_OutlookContacts;
    Watched m_OutlookAppointments;
};

}  // namespace ostrellix::addin
