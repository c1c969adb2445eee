#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IRecipients.h"

namespace ostrellix::outlook {

// A calendar entry; a meeting when MeetingStatus is not olNonMeeting.
class IAppointmentItem : public virtual IItem {
public:
    virtual Date Start() = 0;
    virtual void SetStart(Date start) = 0;
    virtual Date End() = 0;
    virtual void SetEnd(Date end) = 0;
    virtual std::string Location() = 0;
    virtual void SetLocation(std::string_view location) = 0;
    virtual bool AllDayEvent() = 0;
    virtual void SetAllDayEvent(bool allDay) = 0;
    virtual std::string Organizer() = 0;
    virtual std::int32_t MeetingStatus() = 0;
    virtual void SetMeetingStatus(std::int32_t status) = 0;
    virtual bool ReminderSet() = 0;
    virtual void SetReminderSet(bool set) = 0;
    virtual Ptr<IRecipients> Recipients() = 0;
    virtual void Send() = 0;
};

}  // namespace ostrellix::outlook
