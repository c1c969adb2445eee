#pragma once

#include <vector>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IExplorer.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/IItems.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// Booking in a calendar window ("KeloOstrellix.NewAppointmentEx"): a new
// explorer on the synchronization calendar for the user to book in. A new
// appointment window opened from it is prefilled from the Kelo record and
// followed by a NewAppointment; an appointment put straight into the
// calendar shown (dragged or typed in, with no body) is filed at once. The
// explorer closes with the first such appointment window; the booking ends
// with the explorer.
class NewAppointmentEx : public virtual Object {
public:
    NewAppointmentEx() = default;
    NewAppointmentEx(const NewAppointmentEx&) = delete;
    NewAppointmentEx& operator=(const NewAppointmentEx&) = delete;

    void NewAppointmentFromContext(const ObjectPtr& context);

private:
    void OnFolderSwitch();
    void OnNewInspector(const Ptr<outlook::IInspector>& inspector);
    void OnItemAdd(const Ptr<outlook::IItem>& added);
    void OnInspectorClose();
    void OnExplorerClose();
    // Follows the items of a calendar; nothing for another kind of folder.
    void TrackItems(const Ptr<outlook::IItems>& items);
    void Shutdown();

    Ptr<kelo::IRecord> link_;
    Ptr<outlook::IExplorer> m_OutlookExplorer;
    Ptr<outlook::IInspectors> m_OutlookInspectors;
    Ptr<outlook::IInspector> m_OutlookInspector;
    Ptr<outlook::IItems> m_OutlookItems;
    std::vector<Connection> explorerEvents_;
    Connection newInspector_;
    Connection inspectorClose_;
    std::vector<Connection> itemsEvents_;
};

}  // namespace ostrellix::addin
