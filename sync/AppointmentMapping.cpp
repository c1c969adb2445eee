#include "sync/AppointmentMapping.h"

#include "contracts/kelo/Codes.h"
#include "contracts/mapi/IAppointmentItem.h"
#include "contracts/outlook/Constants.h"
#include "runtime/ErrorHandling.h"
#include "sync/FieldValues.h"
#include "sync/MapiView.h"
#include "sync/Synchronizer.h"
#include "sync/ToDoFields.h"

namespace ostrellix::addin {

namespace {

// A start or end from the fields of one label: the date-and-time field,
// else the date of the date field plus the time of the time-of-day field.
std::optional<Date> Compose(kelo::IRecord& record, const std::array<Ptr<kelo::IField>, 3>& fields) {
    if (auto full = FieldValues::DateValue(record, fields[ToDoFields::DateTime])) return full;
    const auto date = FieldValues::DateValue(record, fields[ToDoFields::DateOnly]);
    const auto time = FieldValues::DateValue(record, fields[ToDoFields::TimeOnly]);
    if (!date && !time) return std::nullopt;
    return Date((date ? date->DatePart().Serial() : 0.0) + (time ? time->TimePart().Serial() : 0.0));
}

// Writes a start or end into the fields of one label.
void Decompose(kelo::IRecord& record, const std::array<Ptr<kelo::IField>, 3>& fields, Date value) {
    for (const auto kind : {ToDoFields::DateTime, ToDoFields::DateOnly}) {
        if (const auto& field = fields[kind]) IgnoreErrors([&] { record.SetValue(field->Name(), value); });
    }
    if (const auto& field = fields[ToDoFields::TimeOnly]) {
        // A time of day at midnight says nothing: the field is cleared.
        IgnoreErrors([&] {
            record.SetValue(field->Name(), value.IsMidnight() ? Variant::Null() : Variant(value.TimePart()));
        });
    }
}

}  // namespace

void AppointmentMapping::ToRecord(kelo::IRecord& record, const Ptr<outlook::IAppointmentItem>& item) {
    const ToDoFields roles = ToDoFields::Of(*record.Class());
    const auto view = MapiView::OpenAs<mapi::IAppointmentItem>(item);

    roles.WriteResponsible(record, view->Organizer());
    roles.WriteContact(record, *view);
    Decompose(record, roles.start, view->Start());
    Decompose(record, roles.end, view->End());
    roles.WriteSubjectAndBody(record, *view);
    if (roles.location) IgnoreErrors([&] { record.SetValue(roles.location->Name(), view->Location()); });
}

void AppointmentMapping::ToItem(const Ptr<outlook::IAppointmentItem>& item,
                                kelo::IRecord& record) {
    const ToDoFields roles = ToDoFields::Of(*record.Class());
    const auto start = Compose(record, roles.start);
    const auto end = Compose(record, roles.end);
    IgnoreErrors([&] { item->SetStart(start.value_or(outlook::kNoDate)); });
    IgnoreErrors([&] { item->SetEnd(end.value_or(outlook::kNoDate)); });
    if (start && end) item->SetAllDayEvent(start->IsMidnight() && end->IsMidnight());

    roles.ReadBodySubjectAndContact(record, item);
    if (roles.location) item->SetLocation(record.Text(roles.location->Name()));
}

}  // namespace ostrellix::addin
