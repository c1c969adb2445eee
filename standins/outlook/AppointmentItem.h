#pragma once

#include "contracts/outlook/IAppointmentItem.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::outlook {

// A calendar entry; a meeting when MeetingStatus is olMeeting. A new one
// starts at the next half hour and lasts 30 minutes, with its reminder
// set; setting Start keeps the duration, as Outlook does. Send, for a
// meeting, stores the appointment, sends a meeting request to its
// attendees (delivered in the store like mail) and closes its window.
class AppointmentItem final : public Item, public ol::IAppointmentItem {
public:
    AppointmentItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
                    SharedMessage data);

    Date Start() override;
    void SetStart(Date start) override;
    Date End() override;
    void SetEnd(Date end) override;
    std::string Location() override;
    void SetLocation(std::string_view location) override;
    bool AllDayEvent() override;
    void SetAllDayEvent(bool allDay) override;
    std::string Organizer() override;
    std::int32_t MeetingStatus() override;
    void SetMeetingStatus(std::int32_t status) override;
    bool ReminderSet() override;
    void SetReminderSet(bool set) override;
    Ptr<ol::IRecipients> Recipients() override;
    void Send() override;

    static msg::MessageData NewData(Date now);

protected:
    unsigned Kind() const override { return kinds::Appointment; }
    std::string WindowKind() override;
    void BeforeStore(msg::MessageData& data) override;
    bool SetSpecial(std::string_view name, const Variant& value) override;
    std::optional<Variant> InvokeSpecial(std::string_view member, const std::vector<Variant>& arguments) override;
};

}  // namespace ostrellix::standin::outlook
