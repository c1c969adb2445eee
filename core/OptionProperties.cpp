#include "core/OptionProperties.h"

#include "core/Options.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

using Kind = OptionProperties::Kind;
using Property = OptionProperties::Property;

template <auto Get, auto Set>
Property Text(const char* name) {
    return {name, Kind::Text, [](Options& o) { return Variant((o.*Get)()); },
            [](Options& o, const Variant& v) { (o.*Set)(v.ToString()); }};
}

template <auto Get, auto Set>
Property Boolean(const char* name) {
    return {name, Kind::Boolean, [](Options& o) { return Variant((o.*Get)()); },
            [](Options& o, const Variant& v) { (o.*Set)(v.ToBoolean()); }};
}

template <auto Get, auto Set>
Property Integer(const char* name) {
    return {name, Kind::Integer, [](Options& o) { return Variant((o.*Get)()); },
            [](Options& o, const Variant& v) { (o.*Set)(v.ToInteger()); }};
}

template <auto Get, auto Set>
Property Long(const char* name) {
    return {name, Kind::Long, [](Options& o) { return Variant((o.*Get)()); },
            [](Options& o, const Variant& v) { (o.*Set)(v.ToLong()); }};
}

template <auto Get, auto Set>
Property DateTime(const char* name) {
    return {name, Kind::DateTime, [](Options& o) { return Variant((o.*Get)()); },
            [](Options& o, const Variant& v) { (o.*Set)(v.ToDate()); }};
}

Property Panes() {
    return {"Panes", Kind::TextList,
            [](Options& o) {
                VariantArray list;
                for (std::string& entryId : o.Panes()) list.emplace_back(std::move(entryId));
                return Variant(std::move(list));
            },
            [](Options& o, const Variant& v) {
                std::vector<std::string> list;
                if (v.IsArray()) {
                    for (const Variant& entry : v.ToArray()) list.push_back(entry.ToString());
                } else {
                    for (std::string& entry : text::Split(v.ToString(), ",")) {
                        if (!text::Trim(entry).empty()) list.push_back(text::Trim(entry));
                    }
                }
                o.SetPanes(list);
            }};
}

}  // namespace

const std::vector<Property>& OptionProperties::All() {
    // In the order of the class's interface.
    static const std::vector<Property> all{
        Panes(),
        Text<&Options::SendOnBehalfOf, &Options::SetSendOnBehalfOf>("SendOnBehalfOf"),
        Boolean<&Options::AllowExport, &Options::SetAllowExport>("AllowExport"),
        Boolean<&Options::AttachBusinessCard, &Options::SetAttachBusinessCard>("AttachBusinessCard"),
        Boolean<&Options::AllowDragDrop, &Options::SetAllowDragDrop>("AllowDragDrop"),
        Boolean<&Options::AllowEditMessages, &Options::SetAllowEditMessages>("AllowEditMessages"),
        Boolean<&Options::DisplayInspectorBeforeSave, &Options::SetDisplayInspectorBeforeSave>("DisplayInspectorBeforeSave"),
        Integer<&Options::SaveOutgoingMailMode, &Options::SetSaveOutgoingMailMode>("SaveOutgoingMailMode"),
        Integer<&Options::SaveOutgoingMailFromOutlookMode, &Options::SetSaveOutgoingMailFromOutlookMode>(
            "SaveOutgoingMailFromOutlookMode"),
        Integer<&Options::SaveOutgoingInternalMail, &Options::SetSaveOutgoingInternalMail>("SaveOutgoingInternalMail"),
        Text<&Options::CalendarFolderEntryID, &Options::SetCalendarFolderEntryID>("CalendarFolderEntryID"),
        Text<&Options::InboxFolderEntryID, &Options::SetInboxFolderEntryID>("InboxFolderEntryID"),
        Text<&Options::TasksFolderEntryID, &Options::SetTasksFolderEntryID>("TasksFolderEntryID"),
        Text<&Options::ContactsFolderEntryID, &Options::SetContactsFolderEntryID>("ContactsFolderEntryID"),
        DateTime<&Options::LastSynchronizationTime, &Options::SetLastSynchronizationTime>("LastSynchronizationTime"),
        DateTime<&Options::LastFullSynchronizationTime, &Options::SetLastFullSynchronizationTime>(
            "LastFullSynchronizationTime"),
        Boolean<&Options::SynchronizeAtStartup, &Options::SetSynchronizeAtStartup>("SynchronizeAtStartup"),
        Boolean<&Options::SynchronizeAtShutdown, &Options::SetSynchronizeAtShutdown>("SynchronizeAtShutdown"),
        Boolean<&Options::DeleteContactsDuringSynchronization, &Options::SetDeleteContactsDuringSynchronization>(
            "DeleteContactsDuringSynchronization"),
        Boolean<&Options::DeleteAppointmentsDuringSynchronization,
                &Options::SetDeleteAppointmentsDuringSynchronization>("DeleteAppointmentsDuringSynchronization"),
        Boolean<&Options::DeleteTasksDuringSynchronization, &Options::SetDeleteTasksDuringSynchronization>(
            "DeleteTasksDuringSynchronization"),
        Boolean<&Options::SynchronizeAppointments, &Options::SetSynchronizeAppointments>("SynchronizeAppointments"),
        Boolean<&Options::SynchronizeTasks, &Options::SetSynchronizeTasks>("SynchronizeTasks"),
        Boolean<&Options::SynchronizeContacts, &Options::SetSynchronizeContacts>("SynchronizeContacts"),
        Text<&Options::MeetingOrganizer, &Options::SetMeetingOrganizer>("MeetingOrganizer"),
        DateTime<&Options::OutlookTimestamp, &Options::SetOutlookTimestamp>("OutlookTimestamp"),
        DateTime<&Options::KeloTimestamp, &Options::SetKeloTimestamp>("KeloTimestamp"),
        Long<&Options::SynchronizationUser, &Options::SetSynchronizationUser>("SynchronizationUser"),
        Long<&Options::OutboxListenerDelay, &Options::SetOutboxListenerDelay>("OutboxListenerDelay"),
        Text<&Options::OriginalDatabaseName, &Options::SetOriginalDatabaseName>("OriginalDatabaseName"),
        Text<&Options::OriginalServerName, &Options::SetOriginalServerName>("OriginalServerName"),
    };
    return all;
}

const Property* OptionProperties::Find(std::string_view name) {
    for (const Property& property : All()) {
        if (text::EqualsIgnoreCase(property.name, name)) return &property;
    }
    return nullptr;
}

const char* OptionProperties::KindName(Kind kind) {
    switch (kind) {
        case Kind::Text: return "text";
        case Kind::Boolean: return "Boolean";
        case Kind::Integer: return "16-bit integer";
        case Kind::Long: return "32-bit integer";
        case Kind::DateTime: return "date and time";
        case Kind::TextList: return "list of texts";
    }
    return "";
}

}  // namespace ostrellix::addin
