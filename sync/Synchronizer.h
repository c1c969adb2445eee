#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <utility>
#include <vector>

#include "contracts/kelo/IExplorer.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/mapi/IMessage.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "runtime/Connection.h"
#include "runtime/Dictionary.h"
#include "runtime/Object.h"
#include "runtime/Signal.h"
#include "sync/PairReport.h"

namespace ostrellix::addin {

struct SynchronizerEvents {
    // A synchronization run handled a pair (see PairReport).
    Signal<const PairReport&> PairSynchronized;
};

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
    // Deletes the item when its kind's deletion option is on (true), else removes its marks.
    bool DisableSynchronizationForItem(const Ptr<outlook::IItem>& item);
    bool IsItemEnabledForSynchronization(const Ptr<outlook::IItem>& item);
    std::string GetKeloID(const Ptr<outlook::IItem>& item);
    void SetItemProperty(const Ptr<outlook::IItem>& item, std::string_view name, const Variant& value);
    Variant GetItemProperty(const Ptr<outlook::IItem>& item, std::string_view name);
    std::string GetItemFilterForID(std::string_view keloId);
    static std::string ItemFilterForID(std::string_view keloId, std::string_view databaseTag);
    std::string DatabaseTag();
    // The item paired with the record; nothing when there is none.
    Ptr<outlook::IItem> FindItemFromRecord(const Ptr<kelo::IRecord>& record);
    // The record an item's marks name, in this database; nothing when none.
    Ptr<kelo::IRecord> FindRecordFromItem(const Ptr<outlook::IItem>& item);
    // True or False, or Empty when the stored checksums cannot tell.
    Variant IsItemModifiedSinceLastSynchronization(const Ptr<outlook::IItem>& item);
    void UpdateSynchronizationInformation(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record);
    // Copies whichever side changed to the other; when both did, the record
    // wins. Says which way it went: unchanged, copied to Outlook or to Kelo.
    PairReport::Action SynchronizeItemWithRecord(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record);
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

    // --- finding records from addresses and contexts (only reads)
    Ptr<kelo::IRecord> FindRecordFromEmail(std::string_view address, const Ptr<kelo::IClass>& searchClass);
    Ptr<kelo::IRecord> FindPersonRecordFromEmail(std::string_view address);
    Ptr<kelo::IRecord> FindCompanyRecordFromEmail(std::string_view address);
    Ptr<kelo::IRecord> FindCompanyRecordFromName(std::string_view companyName);
    Ptr<kelo::IRecord> FindCompanyRecordFromContactItem(const Ptr<outlook::IContactItem>& item);
    Ptr<kelo::IRecord> FindPersonRecordFromContactItem(const Ptr<outlook::IContactItem>& item);
    std::string GetSenderAddressFromItem(const ObjectPtr& item);
    bool IsMessageSentToMe(const Ptr<mapi::IMessage>& message);
    Ptr<kelo::IRecord> FindRecordFromMailItem(const ObjectPtr& item, const Ptr<kelo::IClass>& searchClass);
    Ptr<kelo::IRecord> FindPersonRecordFromMailItem(const ObjectPtr& item);
    Ptr<kelo::IRecord> FindCompanyRecordFromMailItem(const ObjectPtr& item);
    Ptr<kelo::IRecord> GetRecordFromContext(const ObjectPtr& context);
    // The company and the person a record is or links to.
    std::pair<Ptr<kelo::IRecord>, Ptr<kelo::IRecord>> FindCompanyAndPersonFromLink(const Ptr<kelo::IRecord>& record);
    void FindRecipientsFromContext(Variant& recipients, const ObjectPtr& context);
    void FindRecipientsFromInspector(Variant& recipients, const Ptr<kelo::IInspector>& inspector);
    void FindRecipientsFromExplorer(Variant& recipients, const Ptr<kelo::IExplorer>& explorer);
    void FindRecipientsFromRecord(Variant& recipients, const Ptr<kelo::IRecord>& record);

    // --- filing mail and items, linking records (nothing is stored)
    void UpdateRecordFromMailItem(const Ptr<kelo::IRecord>& record, const ObjectPtr& item, const ObjectPtr& context);
    void UpdateRecordFromFile(const Ptr<kelo::IRecord>& record, std::string_view filename);
    void LinkRecordToContext(const Ptr<kelo::IRecord>& record, const ObjectPtr& context);
    void LinkRecordToExplorer(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IExplorer>& explorer);
    void LinkRecordToInspector(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IInspector>& inspector);
    void LinkRecordToCompany(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& company);
    void LinkRecordToPerson(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& person);
    void LinkRecordToRecord(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& link);
    void InitializeMailItemFromRecord(const Ptr<outlook::IMailItem>& item, const Ptr<kelo::IRecord>& record);
    Ptr<kelo::IRecord> ImportRecordFromItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context);
    Ptr<kelo::IRecord> ImportRecordFromEntryID(std::string_view entryId, const ObjectPtr& context);
    Ptr<kelo::IRecord> ImportRecordFromFile(std::string_view filename, const ObjectPtr& context);
    void BuildRecordInformationFromLabels(const Ptr<kelo::IRecord>& record, const std::vector<std::int32_t>& labels,
                                          std::string& text);
    std::string BuildContactInformation(const Ptr<kelo::IRecord>& company, const Ptr<kelo::IRecord>& person);
    void InitializeItemFromLink(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& link);
    Ptr<outlook::ITaskItem> CreateTaskItemFromLink(const Ptr<kelo::IRecord>& record);
    Ptr<outlook::IAppointmentItem> CreateAppointmentItemFromLink(const Ptr<kelo::IRecord>& record);
    void DropItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context);
    void DropFile(std::string_view filename, const ObjectPtr& context);

    // True when the Kelo user is the one whose coworker record the
    // per-user option SynchronizationUser names.
    bool IsSynchronizationEnabled();
    // The id of the coworker record of the Kelo user named so; nothing when there is none.
    std::optional<std::int32_t> CoworkerOfUser(std::string_view userName);

    // --- whole runs (see SynchronizationRun). Item lists map KeloIDs to
    // Outlook items, record lists KeloIDs to records; a time stamp that is
    // not a date means no restriction.
    // In the client's work dialog, which can cancel it between items.
    void SynchronizeWithWorkdialog(bool full);
    // Partial unless `full` or an unset time stamp makes it full.
    void Synchronize(bool full);
    void GetSynchronizedItems(Dictionary& items, const Variant& timeStamp);
    void GetSynchronizedItemsFromFolder(Dictionary& list, const Ptr<outlook::IFolder>& folder, const Variant& timeStamp);
    void GetModifiedRecordItems(Dictionary& itemList, Date timeStamp);
    void GetModifiedRecordItemsFromClass(const Ptr<kelo::IClass>& cls, Dictionary& itemList, Date timeStamp);
    void GetMatchingSynchronizationRecords(Dictionary& itemList, Dictionary& recordList);
    void SynchronizeItemsWithRecords(Dictionary& itemList, Dictionary& recordList, bool fullSynch);
    // False for a to-do of another coworker or of none, and while synchronization is not enabled.
    bool IsRecordValidForSynchronization(const Ptr<kelo::IRecord>& record);
    // False when the data engine cannot use the record (deleted, or holding none).
    bool IsRecordValid(const Ptr<kelo::IRecord>& record);
    // The record copied into its Outlook item (made when there is none),
    // which is marked as synchronized and handed back.
    void ExportRecord(const Ptr<kelo::IRecord>& record, Ptr<outlook::IItem>& item);
    // Runs do not use the synchronization cache.
    void BuildSynchronizationCache() {}

    SynchronizerEvents& Events() { return events_; }

    // Held by a run while it lasts: what cannot change meanwhile (whether
    // synchronization is enabled, the database tag, the coworker of a user
    // name) is read once, for the run and for the listeners its saves
    // wake. A run inside another uses the outer one's.
    class RunScope {
    public:
        explicit RunScope(Synchronizer& synchronizer);
        ~RunScope();
        RunScope(const RunScope&) = delete;
        RunScope& operator=(const RunScope&) = delete;

    private:
        Synchronizer& sync_;
        bool outermost_;
    };

private:
    struct RunConstants {
        std::optional<bool> enabled;
        std::optional<std::string> databaseTag;
        std::map<std::string, std::optional<std::int32_t>, std::less<>> coworkers;
    };

    // Takes the marks off (ItemMarks::Remove).
    void RemoveSynchronizationProperties(const Ptr<outlook::IItem>& item);
    Ptr<outlook::IUserProperty> FindOrAddChecksum(const Ptr<outlook::IItem>& item);
    void OnWorkDialogWork();

    // The progress dialog of the run in progress, if it has one.
    Ptr<kelo::IWorkDialog> m_WorkDialog;
    Connection workDialogWork_;
    SynchronizerEvents events_;
    // Set while a run lasts (RunScope).
    std::optional<RunConstants> run_;
};

}  // namespace ostrellix::addin
