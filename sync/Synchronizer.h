#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "runtime/Object.h"

namespace ostrellix::addin {

// The add-in's workhorse for everything that moves data between Kelo
// records and Outlook items ("KeloOstrellix.Synchronizer"). One instance
// lives in Globals, created on first request.
//
// An Outlook appointment, task or contact is paired with a Kelo record by
// three text user properties: "KeloID" (class name ":" record id),
// "KeloDatabase" (the database tag, OriginalServerName "." OriginalDatabaseName)
// and "KeloChecksum" (record checksum ":" item checksum at the last
// synchronization), which tell which side changed since.
class Synchronizer : public virtual Object {
public:
    // --- checksums
    std::string ComputeChecksum(std::string_view text);
    std::string ComputeAppointmentItemChecksum(const Ptr<outlook::IAppointmentItem>& item);
    std::string ComputeTaskItemChecksum(const Ptr<outlook::ITaskItem>& item);
    std::string ComputeContactItemChecksum(const Ptr<outlook::IContactItem>& item);
    // "" for items that are neither tasks, appointments nor contacts.
    std::string ComputeItemChecksum(const Ptr<outlook::IItem>& item);
    Variant ComputeRecordChecksum(const Ptr<kelo::IRecord>& record);

    // --- marks
    void EnableSynchronization(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record);
    // Deletes the item when its kind's deletion option is on, else removes its marks.
    void DisableSynchronizationForItem(const Ptr<outlook::IItem>& item);
    void RemoveSynchronizationProperties(const Ptr<outlook::IItem>& item);
    bool IsItemEnabledForSynchronization(const Ptr<outlook::IItem>& item);
    std::string GetKeloID(const Ptr<outlook::IItem>& item);
    void SetItemProperty(const Ptr<outlook::IItem>& item, std::string_view name, const Variant& value);
    Variant GetItemProperty(const Ptr<outlook::IItem>& item, std::string_view name);
    std::string GetItemFilterForID(std::string_view keloId);
    std::string DatabaseTag();
    // The item paired with the record; nothing when there is none.
    Ptr<outlook::IItem> FindItemFromRecord(const Ptr<kelo::IRecord>& record);
    // The record an item's marks name, in this database; nothing when none.
    Ptr<kelo::IRecord> FindRecordFromItem(const Ptr<outlook::IItem>& item);
    // True or False, or Empty when the stored checksums cannot tell.
    Variant IsItemModifiedSinceLastSynchronization(const Ptr<outlook::IItem>& item);
    void UpdateSynchronizationInformation(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record);
    // Copies whichever side changed to the other; when both did, the record wins.
    void SynchronizeItemWithRecord(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record);
    void SynchronizeItem(const Ptr<outlook::IItem>& item);

    // --- field mapping (nothing is saved or stored)
    void UpdateRecordFromAppointmentItem(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IAppointmentItem>& item);
    void UpdateRecordFromTaskItem(const Ptr<kelo::IRecord>& record, const Ptr<outlook::ITaskItem>& item);
    void UpdateRecordFromContactItem(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IContactItem>& item);
    void UpdateRecordFromItem(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item);
    void UpdateRecordFromItemWithContext(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item,
                                         const ObjectPtr& context);
    void UpdateAppointmentItemFromRecord(const Ptr<outlook::IAppointmentItem>& item, const Ptr<kelo::IRecord>& record);
    void UpdateTaskItemFromRecord(const Ptr<outlook::ITaskItem>& item, const Ptr<kelo::IRecord>& record);
    void UpdateContactItemFromRecord(const Ptr<outlook::IContactItem>& item, const Ptr<kelo::IRecord>& record);
    void UpdateItemFromRecord(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record);

    // --- creating records and items (new and unsaved)
    Ptr<kelo::IRecord> CreateRecordFromItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context);
    Ptr<kelo::IRecord> CreateAppointmentRecord();
    Ptr<kelo::IRecord> CreateTaskRecord();
    Ptr<kelo::IRecord> CreateMailRecord();
    Ptr<kelo::IRecord> CreatePersonRecord();
    Ptr<kelo::IRecord> CreateCoworkerRecord();
    Ptr<outlook::IItem> CreateItem(std::int32_t itemType);
    Ptr<outlook::IItem> CreateItemFromRecord(const Ptr<kelo::IRecord>& record);

    // --- the folders synchronization works in
    Ptr<outlook::IFolder> CalendarFolder();
    Ptr<outlook::IFolder> InboxFolder();
    Ptr<outlook::IFolder> ContactsFolder();
    Ptr<outlook::IFolder> TasksFolder();
    Ptr<outlook::IFolder> DraftsFolder();
    Ptr<outlook::IFolder> SentMailFolder();
    Ptr<outlook::IFolder> OutboxFolder();

    // True when the Kelo user is the one whose coworker record the
    // per-user option SynchronizationUser names.
    bool IsSynchronizationEnabled();

private:
    Ptr<outlook::IUserProperty> FindOrAddChecksum(const Ptr<outlook::IItem>& item);
};

}  // namespace ostrellix::addin
