#include "sync/TaskMapping.h"

#include "contracts/kelo/Codes.h"
#include "contracts/mapi/ITaskItem.h"
#include "contracts/outlook/Constants.h"
#include "runtime/ErrorHandling.h"
#include "sync/FieldValues.h"
#include "sync/MapiView.h"
#include "sync/Synchronizer.h"
#include "sync/ToDoFields.h"

namespace ostrellix::addin {

namespace {

std::optional<Date> DateOf(kelo::IRecord& record, const std::array<Ptr<kelo::IField>, 3>& fields) {
    if (auto full = FieldValues::DateValue(record, fields[ToDoFields::DateTime])) return full;
    if (auto date = FieldValues::DateValue(record, fields[ToDoFields::DateOnly])) return date->DatePart();
    return std::nullopt;
}

void WriteDate(kelo::IRecord& record, const std::array<Ptr<kelo::IField>, 3>& fields, Date value) {
    for (const auto kind : {ToDoFields::DateTime, ToDoFields::DateOnly}) {
        if (const auto& field = fields[kind]) {
            IgnoreErrors([&] { record.SetValue(field->Name(), FieldValues::DateOrNull(value)); });
        }
    }
    if (const auto& field = fields[ToDoFields::TimeOnly]) {
        IgnoreErrors([&] { record.SetValue(field->Name(), Variant::Null()); });
    }
}

}  // namespace

void TaskMapping::ToRecord(kelo::IRecord& record, const Ptr<outlook::ITaskItem>& item) {
    const ToDoFields roles = ToDoFields::Of(*record.Class());
    const auto view = MapiView::OpenAs<mapi::ITaskItem>(item);

    roles.WriteResponsible(record, view->Owner());
    roles.WriteContact(record, *view);
    // The dates come from the Outlook item itself.
    WriteDate(record, roles.start, item->StartDate());
    WriteDate(record, roles.end, item->DueDate());
    roles.WriteSubjectAndBody(record, *view);
    if (roles.complete && roles.complete->Type() == kelo::fieldtype::YesNo) {
        IgnoreErrors([&] { record.SetValue(roles.complete->Name(), view->Complete()); });
    }
}

void TaskMapping::ToItem(const Ptr<outlook::ITaskItem>& item, kelo::IRecord& record) {
    const ToDoFields roles = ToDoFields::Of(*record.Class());
    // The due date goes first: Outlook moves it when a start comes after it.
    item->SetDueDate(DateOf(record, roles.end).value_or(outlook::kNoDate));
    item->SetStartDate(DateOf(record, roles.start).value_or(outlook::kNoDate));

    roles.ReadBodySubjectAndContact(record, item);
    if (roles.complete) {
        const Variant done = record.Value(roles.complete->Name());
        item->SetComplete(!done.IsNull() && done.ToBoolean());
    }
}

}  // namespace ostrellix::addin
