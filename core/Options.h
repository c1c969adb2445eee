#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IProperties.h"
#include "runtime/IDispatch.h"
#include "runtime/Date.h"

namespace ostrellix::addin {

// The add-in's settings. No cache: every read goes to its store and every
// write straight back. Most settings live in the add-in's settings
// collection of the Kelo database (Settings); the Outlook folders and the
// synchronization user belong to one user's Outlook profile and live in
// the per-user settings store. Scripts reach every member by name.
class Options : public IDispatch {
public:
    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override;

    // The members in the order of the class's interface.
    std::vector<std::string> Panes();
    void SetPanes(const std::vector<std::string>& entryIds);

    std::string SendOnBehalfOf();
    void SetSendOnBehalfOf(std::string_view value);
    bool AllowExport();
    void SetAllowExport(bool value);
    bool AttachBusinessCard();
    void SetAttachBusinessCard(bool value);
    bool AllowDragDrop();
    void SetAllowDragDrop(bool value);
    bool AllowEditMessages();
    void SetAllowEditMessages(bool value);
    bool DisplayInspectorBeforeSave();
    void SetDisplayInspectorBeforeSave(bool value);
    std::int16_t SaveOutgoingMailMode();
    void SetSaveOutgoingMailMode(std::int16_t value);
    std::int16_t SaveOutgoingMailFromOutlookMode();
    void SetSaveOutgoingMailFromOutlookMode(std::int16_t value);
    std::int16_t SaveOutgoingInternalMail();
    void SetSaveOutgoingInternalMail(std::int16_t value);

    std::string CalendarFolderEntryID();
    void SetCalendarFolderEntryID(std::string_view value);
    std::string InboxFolderEntryID();
    void SetInboxFolderEntryID(std::string_view value);
    std::string TasksFolderEntryID();
    void SetTasksFolderEntryID(std::string_view value);
    std::string ContactsFolderEntryID();
    void SetContactsFolderEntryID(std::string_view value);

    Date LastSynchronizationTime();
    void SetLastSynchronizationTime(Date value);
    Date LastFullSynchronizationTime();
    void SetLastFullSynchronizationTime(Date value);
    bool SynchronizeAtStartup();
    void SetSynchronizeAtStartup(bool value);
    bool SynchronizeAtShutdown();
    void SetSynchronizeAtShutdown(bool value);
    bool DeleteContactsDuringSynchronization();
    void SetDeleteContactsDuringSynchronization(bool value);
    bool DeleteAppointmentsDuringSynchronization();
    void SetDeleteAppointmentsDuringSynchronization(bool value);
    bool DeleteTasksDuringSynchronization();
    void SetDeleteTasksDuringSynchronization(bool value);
    bool SynchronizeAppointments();
    void SetSynchronizeAppointments(bool value);
    bool SynchronizeTasks();
    void SetSynchronizeTasks(bool value);
    bool SynchronizeContacts();
    void SetSynchronizeContacts(bool value);
    std::string MeetingOrganizer();
    void SetMeetingOrganizer(std::string_view value);
    Ptr<kelo::IProperties> Settings() const { return settings_; }
    void SetSettings(Ptr<kelo::IProperties> settings) { settings_ = std::move(settings); }
    Date OutlookTimestamp();
    void SetOutlookTimestamp(Date value);
    Date KeloTimestamp();
    void SetKeloTimestamp(Date value);
    std::int32_t SynchronizationUser();
    void SetSynchronizationUser(std::int32_t value);
    std::int32_t OutboxListenerDelay();
    void SetOutboxListenerDelay(std::int32_t value);

    // The save mode for outgoing mail filed under `cls` (may be nothing).
    std::int16_t GetSaveOutgoingMailModeForClass(const Ptr<kelo::IClass>& cls);

    std::string OriginalDatabaseName();
    void SetOriginalDatabaseName(std::string_view value);
    std::string OriginalServerName();
    void SetOriginalServerName(std::string_view value);

private:
    Ptr<kelo::IProperties> Store();
    Variant Read(std::string_view name, const Variant& defaultValue);
    void Write(std::string_view name, const Variant& value);
    std::string ReadUser(std::string_view name);
    void WriteUser(std::string_view name, std::string_view value);
    std::string Original(std::string_view name, const std::string& current);

    Ptr<kelo::IProperties> settings_;
};

}  // namespace ostrellix::addin
