#include "core/Options.h"

#include <cstdio>

#include "contracts/outlook/Constants.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/OptionProperties.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

// 1970-01-01, the default of every stored time.
constexpr Date kEpoch1970{25569.0};

std::string PaneName(std::size_t index) {
    char name[32];
    std::snprintf(name, sizeof name, "Folder-%02zu", index);
    return name;
}

}  // namespace

Variant Options::Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) {
    if (text::EqualsIgnoreCase(member, "GetSaveOutgoingMailModeForClass") && kind == InvokeKind::Method) {
        if (arguments.size() != 1) RaiseRuntimeError(errors::WrongNumberOfArguments);
        return GetSaveOutgoingMailModeForClass(arguments[0].IsObject() ? arguments[0].ToObjectAs<kelo::IClass>() : nullptr);
    }
    if (text::EqualsIgnoreCase(member, "Settings")) {
        if (kind == InvokeKind::PropertyGet && arguments.empty()) return Variant(settings_);
        if (kind != InvokeKind::PropertyPutRef || arguments.size() != 1) RaiseRuntimeError(errors::WrongNumberOfArguments);
        SetSettings(Cast<kelo::IProperties>(arguments[0].ToObject()));
        return {};
    }
    const auto* property = OptionProperties::Find(member);
    if (!property) RaiseRuntimeError(errors::NotSupported);
    if (kind == InvokeKind::PropertyGet) {
        if (!arguments.empty()) RaiseRuntimeError(errors::WrongNumberOfArguments);
        return property->get(*this);
    }
    if (kind != InvokeKind::PropertyPut || arguments.size() != 1) RaiseRuntimeError(errors::WrongNumberOfArguments);
    property->set(*this, arguments[0]);
    return {};
}

Ptr<kelo::IProperties> Options::Store() {
    if (!settings_) RaiseRuntimeError(errors::ObjectVariableNotSet);
    return settings_;
}

Variant Options::Read(std::string_view name, const Variant& defaultValue) { return Store()->Value(name, defaultValue); }

void Options::Write(std::string_view name, const Variant& value) { Store()->SetValue(name, value); }

std::string Options::ReadUser(std::string_view name) {
    return Globals::System().Settings().GetSetting(kSettingsApplication, kSettingsSection, name, "");
}

void Options::WriteUser(std::string_view name, std::string_view value) {
    Globals::System().Settings().SaveSetting(kSettingsApplication, kSettingsSection, name, value);
}

std::vector<std::string> Options::Panes() {
    const auto panes = Store()->Child("Panes");
    const std::int16_t count = panes->Value("Count", Variant(0)).ToInteger();
    std::vector<std::string> list;
    if (count < 0) {
        const auto session = Globals::Outlook()->Session();
        list.push_back(session->GetDefaultFolder(outlook::olFolderCalendar)->EntryID());
        list.push_back(session->GetDefaultFolder(outlook::olFolderInbox)->EntryID());
        return list;
    }
    for (int i = 1; i <= count; ++i) {
        std::string entryId = panes->Value(PaneName(static_cast<std::size_t>(i)), Variant("")).ToString();
        if (entryId.empty()) break;
        list.push_back(std::move(entryId));
    }
    return list;
}

void Options::SetPanes(const std::vector<std::string>& entryIds) {
    Store()->Delete("Panes");
    const auto panes = Store()->Child("Panes");
    panes->SetValue("Count", Variant(static_cast<int>(entryIds.size())));
    for (std::size_t i = 0; i < entryIds.size(); ++i) panes->SetValue(PaneName(i + 1), Variant(entryIds[i]));
}

std::string Options::SendOnBehalfOf() { return Read("SendOnBehalfOf", "").ToString(); }
void Options::SetSendOnBehalfOf(std::string_view value) { Write("SendOnBehalfOf", value); }
bool Options::AllowExport() { return Read("AllowExport", true).ToBoolean(); }
void Options::SetAllowExport(bool value) { Write("AllowExport", value); }
bool Options::AttachBusinessCard() { return Read("AttachBusinessCard", false).ToBoolean(); }
void Options::SetAttachBusinessCard(bool value) { Write("AttachBusinessCard", value); }
bool Options::AllowDragDrop() { return Read("AllowDragDrop", true).ToBoolean(); }
void Options::SetAllowDragDrop(bool value) { Write("AllowDragDrop", value); }
bool Options::AllowEditMessages() { return Read("AllowEditMessages", false).ToBoolean(); }
void Options::SetAllowEditMessages(bool value) { Write("AllowEditMessages", value); }
bool Options::DisplayInspectorBeforeSave() { return Read("DisplayInspectorBeforeSave", true).ToBoolean(); }
void Options::SetDisplayInspectorBeforeSave(bool value) { Write("DisplayInspectorBeforeSave", value); }
std::int16_t Options::SaveOutgoingMailMode() { return Read("SaveOutgoingMailMode", std::int16_t{1}).ToInteger(); }
void Options::SetSaveOutgoingMailMode(std::int16_t value) { Write("SaveOutgoingMailMode", value); }
std::int16_t Options::SaveOutgoingMailFromOutlookMode() {
    return Read("SaveOutgoingMailFromOutlookMode", std::int16_t{0}).ToInteger();
}
void Options::SetSaveOutgoingMailFromOutlookMode(std::int16_t value) { Write("SaveOutgoingMailFromOutlookMode", value); }
// The default is a true flag; read as an integer it is -1.
std::int16_t Options::SaveOutgoingInternalMail() { return Read("SaveOutgoingInternalMail", true).ToInteger(); }
void Options::SetSaveOutgoingInternalMail(std::int16_t value) { Write("SaveOutgoingInternalMail", value); }

std::string Options::CalendarFolderEntryID() { return ReadUser("CalendarFolder"); }
void Options::SetCalendarFolderEntryID(std::string_view value) { WriteUser("CalendarFolder", value); }
std::string Options::InboxFolderEntryID() { return ReadUser("InboxFolder"); }
void Options::SetInboxFolderEntryID(std::string_view value) { WriteUser("InboxFolder", value); }
std::string Options::TasksFolderEntryID() { return ReadUser("TaskFolder"); }
void Options::SetTasksFolderEntryID(std::string_view value) { WriteUser("TaskFolder", value); }
std::string Options::ContactsFolderEntryID() { return ReadUser("ContactsFolder"); }
void Options::SetContactsFolderEntryID(std::string_view value) { WriteUser("ContactsFolder", value); }

Date Options::LastSynchronizationTime() { return Read("LastSynchronizationTime", kEpoch1970).ToDate(); }
void Options::SetLastSynchronizationTime(Date value) { Write("LastSynchronizationTime", value); }
Date Options::LastFullSynchronizationTime() { return Read("LastFullSynchronizationTime", kEpoch1970).ToDate(); }
void Options::SetLastFullSynchronizationTime(Date value) { Write("LastFullSynchronizationTime", value); }
bool Options::SynchronizeAtStartup() { return Read("SynchronizeAtStartup", true).ToBoolean(); }
void Options::SetSynchronizeAtStartup(bool value) { Write("SynchronizeAtStartup", value); }
bool Options::SynchronizeAtShutdown() { return Read("SynchronizeAtShutdown", false).ToBoolean(); }
void Options::SetSynchronizeAtShutdown(bool value) { Write("SynchronizeAtShutdown", value); }
bool Options::DeleteContactsDuringSynchronization() {
    return Read("DeleteContactsDuringSynchronization", false).ToBoolean();
}
void Options::SetDeleteContactsDuringSynchronization(bool value) { Write("DeleteContactsDuringSynchronization", value); }
bool Options::DeleteAppointmentsDuringSynchronization() {
    return Read("DeleteAppointmentsDuringSynchronization", true).ToBoolean();
}
void Options::SetDeleteAppointmentsDuringSynchronization(bool value) {
    Write("DeleteAppointmentsDuringSynchronization", value);
}
bool Options::DeleteTasksDuringSynchronization() { return Read("DeleteTasksDuringSynchronization", true).ToBoolean(); }
void Options::SetDeleteTasksDuringSynchronization(bool value) { Write("DeleteTasksDuringSynchronization", value); }
bool Options::SynchronizeAppointments() { return Read("SynchronizeAppointments", true).ToBoolean(); }
void Options::SetSynchronizeAppointments(bool value) { Write("SynchronizeAppointments", value); }
bool Options::SynchronizeTasks() { return Read("SynchronizeTasks", true).ToBoolean(); }
void Options::SetSynchronizeTasks(bool value) { Write("SynchronizeTasks", value); }
bool Options::SynchronizeContacts() { return Read("SynchronizeContacts", false).ToBoolean(); }
void Options::SetSynchronizeContacts(bool value) { Write("SynchronizeContacts", value); }
std::string Options::MeetingOrganizer() { return Read("MeetingOrganizer", "").ToString(); }
void Options::SetMeetingOrganizer(std::string_view value) { Write("MeetingOrganizer", value); }
Date Options::OutlookTimestamp() { return Read("OutlookTimestamp", kEpoch1970).ToDate(); }
void Options::SetOutlookTimestamp(Date value) { Write("OutlookTimestamp", value); }
Date Options::KeloTimestamp() { return Read("KeloTimestamp", kEpoch1970).ToDate(); }
void Options::SetKeloTimestamp(Date value) { Write("KeloTimestamp", value); }
std::int32_t Options::OutboxListenerDelay() { return Read("OutboxListenerDelay", 2000).ToLong(); }
void Options::SetOutboxListenerDelay(std::int32_t value) { Write("OutboxListenerDelay", value); }

std::int32_t Options::SynchronizationUser() {
    const std::string stored = ReadUser("User");
    return stored.empty() ? 0 : Variant(stored).ToLong();
}

void Options::SetSynchronizationUser(std::int32_t value) {
    if (value != 0) {
        WriteUser("User", std::to_string(value));
        return;
    }
    // Absent already is as good as deleted.
    IgnoreErrors([] { Globals::System().Settings().DeleteSetting(kSettingsApplication, kSettingsSection, "User"); });
}

std::int16_t Options::GetSaveOutgoingMailModeForClass(const Ptr<kelo::IClass>& cls) {
    std::int16_t base = SaveOutgoingMailMode();
    if (!cls) return base;
    if (cls->Label() == 12 && base == 1) base = 2;
    return Read("PerClass\\" + cls->Name() + "\\SaveOutgoingMailMode", base).ToInteger();
}

std::string Options::Original(std::string_view name, const std::string& current) {
    const auto root = Store()->Parent();
    const Variant rootValue = root ? root->Value(name, current) : Variant(current);
    return Read(name, rootValue).ToString();
}

std::string Options::OriginalDatabaseName() {
    return Original("OriginalDatabaseName", Globals::Application()->Database()->Name());
}
void Options::SetOriginalDatabaseName(std::string_view value) { Write("OriginalDatabaseName", value); }

std::string Options::OriginalServerName() {
    return Original("OriginalServerName", Globals::Application()->Database()->Server());
}
void Options::SetOriginalServerName(std::string_view value) { Write("OriginalServerName", value); }

}  // namespace ostrellix::addin
