#include "standins/outlook/AppointmentItem.h"

#include <cmath>

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/RecipientTable.h"
#include "standins/outlook/Recipients.h"

namespace ostrellix::standin::outlook {

namespace {

const OutlookProperty& StartProperty() {
    static const OutlookProperty& property = OutlookProperty::Get("Start");
    return property;
}

const OutlookProperty& EndProperty() {
    static const OutlookProperty& property = OutlookProperty::Get("End");
    return property;
}

constexpr double kMinutesPerDay = 1440.0;

}  // namespace

AppointmentItem::AppointmentItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId,
                                 std::int64_t revision, SharedMessage data)
    : Item(std::move(instance), std::move(folderEntryId), std::move(entryId), revision, std::move(data)) {}

msg::MessageData AppointmentItem::NewData(Date now) {
    msg::MessageData data;
    data.properties.Set(msg::tag::PR_MESSAGE_CLASS, Variant("IPM.Appointment"));
    // The next full half hour.
    const double halfHours = std::floor(now.Serial() * 48.0) + 1.0;
    const Date start(halfHours / 48.0);
    StartProperty().location.Write(data.properties, Variant(start));
    EndProperty().location.Write(data.properties, Variant(start.AddSeconds(30 * 60)));
    OutlookProperty::Get("ReminderSet").location.Write(data.properties, Variant(true));
    OutlookProperty::Get("MeetingStatus").location.Write(data.properties, Variant(ol::olNonMeeting));
    OutlookProperty::Get("AllDayEvent").location.Write(data.properties, Variant(false));
    return data;
}

std::string AppointmentItem::WindowKind() { return MeetingStatus() == ol::olNonMeeting ? "Appointment" : "Meeting"; }

void AppointmentItem::BeforeStore(msg::MessageData& data) {
    StampCreator(data);
    RecipientTable::UpdateDisplayLines(data);
    const Variant start = StartProperty().location.Read(data.properties);
    const Variant end = EndProperty().location.Read(data.properties);
    const OutlookProperty& duration = OutlookProperty::Get("Duration");
    if (start.IsDate() && end.IsDate()) {
        const double minutes = std::round((end.ToDate().Serial() - start.ToDate().Serial()) * kMinutesPerDay);
        duration.location.Write(data.properties, Variant(static_cast<int>(minutes)));
    } else {
        duration.location.Write(data.properties, Variant());
    }
}

Date AppointmentItem::Start() { return Value(StartProperty()).ToDate(); }

void AppointmentItem::SetStart(Date start) {
    const Date oldStart = Start(), oldEnd = End();
    Put(StartProperty(), Variant(start));
    if (oldStart != ol::kNoDate && oldEnd != ol::kNoDate && start != ol::kNoDate) {
        Put(EndProperty(), Variant(Date(start.Serial() + (oldEnd.Serial() - oldStart.Serial()))));
    }
}

Date AppointmentItem::End() { return Value(EndProperty()).ToDate(); }

void AppointmentItem::SetEnd(Date end) { Put(EndProperty(), Variant(end)); }

std::string AppointmentItem::Location() { return Value(OutlookProperty::Get("Location")).ToString(); }

void AppointmentItem::SetLocation(std::string_view location) { Put(OutlookProperty::Get("Location"), Variant(location)); }

bool AppointmentItem::AllDayEvent() { return Value(OutlookProperty::Get("AllDayEvent")).ToBoolean(); }

void AppointmentItem::SetAllDayEvent(bool allDay) { Put(OutlookProperty::Get("AllDayEvent"), Variant(allDay)); }

std::string AppointmentItem::Organizer() {
    const std::string organizer = Value(OutlookProperty::Get("Organizer")).ToString();
    return organizer.empty() ? Outlook().Book().CurrentUser().name : organizer;
}

std::int32_t AppointmentItem::MeetingStatus() { return Value(OutlookProperty::Get("MeetingStatus")).ToLong(); }

void AppointmentItem::SetMeetingStatus(std::int32_t status) {
    Put(OutlookProperty::Get("MeetingStatus"), Variant(static_cast<int>(status)));
}

bool AppointmentItem::ReminderSet() { return Value(OutlookProperty::Get("ReminderSet")).ToBoolean(); }

void AppointmentItem::SetReminderSet(bool set) { Put(OutlookProperty::Get("ReminderSet"), Variant(set)); }

Ptr<ol::IRecipients> AppointmentItem::Recipients() {
    CheckUsable();
    return std::make_shared<outlook::Recipients>(SelfAs<Item>());
}

void AppointmentItem::Send() {
    const auto call = Entered();
    if (MeetingStatus() == ol::olNonMeeting) {
        errors::Raise(errors::kFailed, "The appointment is not a meeting: it has no attendees to send it to.");
    }
    bool cancel = false;
    Events().Send.Raise(cancel);
    if (cancel) return;
    CheckUsable();
    if (!Recipients()->ResolveAll()) errors::Raise(errors::kFailed, "Outlook does not recognize one or more names.");
    Commit();
    // The request carries the appointment's properties and attendees.
    msg::MessageData request = Read();
    request.properties.Set(msg::tag::PR_MESSAGE_CLASS, Variant("IPM.Schedule.Meeting.Request"));
    request.properties.Remove(msg::tag::PR_CREATION_TIME);
    request.properties.Remove(msg::tag::PR_LAST_MODIFICATION_TIME);
    Outlook().Mailer().Send(std::move(request), "");
    FinishSending(false);
}

bool AppointmentItem::SetSpecial(std::string_view name, const Variant& value) {
    if (!text::EqualsIgnoreCase(name, "Start")) return false;
    SetStart(value.ToDate());
    return true;
}

std::optional<Variant> AppointmentItem::InvokeSpecial(std::string_view member, const std::vector<Variant>&) {
    if (!text::EqualsIgnoreCase(member, "Send")) return std::nullopt;
    Send();
    return Variant();
}

}  // namespace ostrellix::standin::outlook
