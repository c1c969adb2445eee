#pragma once

#include <cstdint>
#include <vector>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IInspector.h"
#include "runtime/Connection.h"

namespace ostrellix::addin {

// A meeting request for the people of a Kelo context ("KeloOstrellix.NewMeeting"),
// booked in the user's own calendar or, when the organizer option names
// someone and the user agrees, in that person's shared calendar. With
// attendees it is stored at once (the MAPI library adds them as required
// attendees, which the object model would prompt for), and is deleted
// again when the user closes it neither saved nor sent; without any it is
// only shown.
class NewMeeting : public virtual Object {
public:
    NewMeeting() = default;
    NewMeeting(const NewMeeting&) = delete;
    NewMeeting& operator=(const NewMeeting&) = delete;

    // The class's COM member "NewMeeting", which C++ reserves for the constructor.
    void NewMeetingFromContext(const ObjectPtr& context);

private:
    enum class Calendar { Own, Organizer, None };
    static Calendar ChooseCalendar(const std::string& organizer);
    static Ptr<outlook::IAppointmentItem> AddMeeting(Calendar calendar, const std::string& organizer);
    static Ptr<outlook::IAppointmentItem> AddAttendees(const Ptr<outlook::IAppointmentItem>& item,
                                                       const VariantArray& addresses);
    void Track(const Ptr<outlook::IAppointmentItem>& item);
    void OnInspectorClose();
    void Shutdown();

    Ptr<outlook::IAppointmentItem> m_OutlookItem;
    Ptr<outlook::IInspector> m_OutlookInspector;
    bool sent_ = false;
    bool written_ = false;
    std::vector<Connection> connections_;
};

}  // namespace ostrellix::addin
