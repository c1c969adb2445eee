#include "standins/outlook/TaskItem.h"

#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"

namespace ostrellix::standin::outlook {

TaskItem::TaskItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
                   SharedMessage data)
    : Item(std::move(instance), std::move(folderEntryId), std::move(entryId), revision, std::move(data)) {}

msg::MessageData TaskItem::NewData(const std::string& owner) {
    msg::MessageData data;
    data.properties.Set(msg::tag::PR_MESSAGE_CLASS, Variant("IPM.Task"));
    OutlookProperty::Get("Owner").location.Write(data.properties, Variant(owner));
    OutlookProperty::Get("Complete").location.Write(data.properties, Variant(false));
    OutlookProperty::Get("Status").location.Write(data.properties, Variant(0));
    OutlookProperty::Get("PercentComplete").location.Write(data.properties, Variant(0.0));
    return data;
}

Date TaskItem::StartDate() { return Value(OutlookProperty::Get("StartDate")).ToDate(); }

void TaskItem::SetStartDate(Date date) { Put(OutlookProperty::Get("StartDate"), Variant(date)); }

Date TaskItem::DueDate() { return Value(OutlookProperty::Get("DueDate")).ToDate(); }

void TaskItem::SetDueDate(Date date) { Put(OutlookProperty::Get("DueDate"), Variant(date)); }

bool TaskItem::Complete() { return Value(OutlookProperty::Get("Complete")).ToBoolean(); }

void TaskItem::SetComplete(bool complete) {
    Put(OutlookProperty::Get("Complete"), Variant(complete));
    Put(OutlookProperty::Get("Status"), Variant(complete ? 2 : 0));
    Put(OutlookProperty::Get("PercentComplete"), Variant(complete ? 1.0 : 0.0));
}

std::string TaskItem::Owner() { return Value(OutlookProperty::Get("Owner")).ToString(); }

bool TaskItem::ReminderSet() { return Value(OutlookProperty::Get("ReminderSet")).ToBoolean(); }

void TaskItem::SetReminderSet(bool set) { Put(OutlookProperty::Get("ReminderSet"), Variant(set)); }

bool TaskItem::SetSpecial(std::string_view name, const Variant& value) {
    if (!text::EqualsIgnoreCase(name, "Complete")) return false;
    SetComplete(value.ToBoolean());
    return true;
}

}  // namespace ostrellix::standin::outlook
