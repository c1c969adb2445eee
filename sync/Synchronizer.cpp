#include "sync/Synchronizer.h"

#include <optional>
#include <string>
#include <vector>

#include "contracts/kelo/Codes.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "mail/ContactInformation.h"
#include "mail/ItemImporter.h"
#include "mail/MailRecordFiler.h"
#include "mail/RecordLinker.h"
#include "mail/RecordLookup.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/AppointmentMapping.h"
#include "sync/Checksum.h"
#include "sync/ContactMapping.h"
#include "sync/FieldValues.h"
#include "sync/ItemChecksums.h"
#include "sync/ItemFactory.h"
#include "sync/ItemMarks.h"
#include "sync/MapiView.h"
#include "sync/RecordFactory.h"
#include "sync/SynchronizationRun.h"
#include "sync/SyncFolders.h"
#include "sync/TaskMapping.h"

namespace ostrellix::addin {

namespace {

constexpr const char* kKeloID = ItemMarks::kKeloID;
constexpr const char* kKeloChecksum = ItemMarks::kKeloChecksum;
constexpr const char* kKeloDatabase = ItemMarks::kKeloDatabase;

std::string CheckedText(const Ptr<outlook::IUserProperty>& property) { return Must(property).Value().ToString(); }

}  // namespace

// --- checksums

std::string Synchronizer::ComputeChecksum(std::string_view text) { return Checksum::Compute(text); }

std::string Synchronizer::ComputeAppointmentItemChecksum(const Ptr<outlook::IAppointmentItem>& item) {
    return ItemChecksums::Appointment(*MapiView::OpenAs<mapi::IAppointmentItem>(item));
}

std::string Synchronizer::ComputeTaskItemChecksum(const Ptr<outlook::ITaskItem>& item) {
    return ItemChecksums::Task(*MapiView::OpenAs<mapi::ITaskItem>(item));
}

std::string Synchronizer::ComputeContactItemChecksum(const Ptr<outlook::IContactItem>& item) {
    return ItemChecksums::Contact(*MapiView::OpenAs<mapi::IContactItem>(item));
}

std::string Synchronizer::ComputeItemChecksum(const Ptr<outlook::IItem>& item) {
    if (const auto task = As<outlook::ITaskItem>(item)) return ComputeTaskItemChecksum(task);
    if (const auto appointment = As<outlook::IAppointmentItem>(item)) return ComputeAppointmentItemChecksum(appointment);
    if (const auto contact = As<outlook::IContactItem>(item)) return ComputeContactItemChecksum(contact);
    return {};
}

Variant Synchronizer::ComputeRecordChecksum(const Ptr<kelo::IRecord>& record) {
    return Variant(ItemChecksums::Record(*record));
}

// --- marks

std::string Synchronizer::DatabaseTag() {
    if (run_ && run_->databaseTag) return *run_->databaseTag;
    const auto options = Globals::Options();
    std::string tag = options->OriginalServerName() + "." + options->OriginalDatabaseName();
    if (run_) run_->databaseTag = tag;
    return tag;
}

void Synchronizer::EnableSynchronization(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record) {
    // A new record has no id until it is stored.
    if (record->State() & kelo::recordstate::New) record->Update();
    const auto properties = item->UserProperties();
    for (const char* name : {kKeloID, kKeloChecksum, kKeloDatabase}) {
        IgnoreErrors([&] { properties->Add(name, outlook::olText); });
    }
    Must(properties->Find(kKeloID)).SetValue(record->Class()->Name() + ":" + std::to_string(record->ID()));
    Must(properties->Find(kKeloChecksum)).SetValue(ComputeRecordChecksum(record).ToString() + ":" + ComputeItemChecksum(item));
    Must(properties->Find(kKeloDatabase)).SetValue(DatabaseTag());
    if (item->Categories().empty()) item->SetCategories(Tools::GetText("CategoryName"));
    item->Save();
}

bool Synchronizer::DisableSynchronizationForItem(const Ptr<outlook::IItem>& item) {
    const auto options = Globals::Options();
    const bool remove = (Is<outlook::IAppointmentItem>(item) && options->DeleteAppointmentsDuringSynchronization()) ||
                        (Is<outlook::ITaskItem>(item) && options->DeleteTasksDuringSynchronization()) ||
                        (Is<outlook::IContactItem>(item) && options->DeleteContactsDuringSynchronization());
    if (remove) {
        item->Delete();
    } else {
        RemoveSynchronizationProperties(item);
    }
    return remove;
}

void Synchronizer::RemoveSynchronizationProperties(const Ptr<outlook::IItem>& item) { ItemMarks::Remove(item); }

bool Synchronizer::IsItemEnabledForSynchronization(const Ptr<outlook::IItem>& item) { return !GetKeloID(item).empty(); }

std::string Synchronizer::GetKeloID(const Ptr<outlook::IItem>& item) {
    std::string keloId;
    IgnoreErrors([&] { keloId = CheckedText(item->UserProperties()->Find(kKeloID)); });
    return keloId;
}

void Synchronizer::SetItemProperty(const Ptr<outlook::IItem>& item, std::string_view name, const Variant& value) {
    IgnoreErrors([&] { item->UserProperties()->Add(name, outlook::olText); });
    IgnoreErrors([&] { Must(item->UserProperties()->Find(name)).SetValue(value); });
}

Variant Synchronizer::GetItemProperty(const Ptr<outlook::IItem>& item, std::string_view name) {
    Variant value;
    IgnoreErrors([&] { value = Must(item->UserProperties()->Find(name)).Value(); });
    return value;
}

std::string Synchronizer::GetItemFilterForID(std::string_view keloId) { return ItemFilterForID(keloId, DatabaseTag()); }

std::string Synchronizer::ItemFilterForID(std::string_view keloId, std::string_view databaseTag) {
    std::string filter = "[%1] = '%2' AND [%3] = '%4'";
    filter = text::Replace(filter, "%1", kKeloID);
    filter = text::Replace(filter, "%2", keloId);
    filter = text::Replace(filter, "%3", kKeloDatabase);
    return text::Replace(filter, "%4", databaseTag);
}

Ptr<outlook::IItem> Synchronizer::FindItemFromRecord(const Ptr<kelo::IRecord>& record) {
    if (record->ID() <= 0) return nullptr;
    const std::string filter = GetItemFilterForID(record->Class()->Name() + ":" + std::to_string(record->ID()));
    Ptr<outlook::IItem> item;
    const auto findIn = [&](const Ptr<outlook::IFolder>& folder) {
        IgnoreErrors([&] { item = Must(folder).Items()->Find(filter); });
    };
    switch (record->Class()->Label()) {
        case kelo::classlabel::Person:
        case kelo::classlabel::Coworker: findIn(ContactsFolder()); break;
        case kelo::classlabel::ToDo:
            findIn(CalendarFolder());
            if (!item) findIn(TasksFolder());
            break;
        default: break;
    }
    return item;
}

Ptr<kelo::IRecord> Synchronizer::FindRecordFromItem(const Ptr<outlook::IItem>& item) {
    Ptr<kelo::IRecord> found;
    std::string keloId, database;
    IgnoreErrors([&] { keloId = GetItemProperty(item, kKeloID).ToString(); });
    IgnoreErrors([&] { database = GetItemProperty(item, kKeloDatabase).ToString(); });
    const std::vector<std::string> parts = text::Split(keloId, ":");
    if (database == DatabaseTag() && parts.size() >= 2) {
        const auto application = Globals::Application();
        auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
        if (const auto cls = application->Classes()->FindByName(parts[0])) {
            IgnoreErrors([&] { record->Load(cls, Variant(parts[1]).ToLong()); });
            if (record->State() & kelo::recordstate::Loaded) found = record;
        }
    }
    if (!found) Tools::AddLog(kelo::logtype::Progress, "Did not find a record.", "Synchronizer.FindRecordFromItem", "");
    return found;
}

Variant Synchronizer::IsItemModifiedSinceLastSynchronization(const Ptr<outlook::IItem>& item) {
    std::string stored;
    if (IgnoreErrors([&] { stored = CheckedText(item->UserProperties()->Find(kKeloChecksum)); })) return {};
    const std::vector<std::string> parts = text::Split(stored, ":");
    if (parts.size() != 2) return {};
    return Variant(parts[1] != ComputeItemChecksum(item));
}

Ptr<outlook::IUserProperty> Synchronizer::FindOrAddChecksum(const Ptr<outlook::IItem>& item) {
    const auto properties = item->UserProperties();
    auto checksum = properties->Find(kKeloChecksum);
    return checksum ? checksum : properties->Add(kKeloChecksum, outlook::olText, false);
}

void Synchronizer::UpdateSynchronizationInformation(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record) {
    FindOrAddChecksum(item)->SetValue(ComputeRecordChecksum(record).ToString() + ":" + ComputeItemChecksum(item));
    item->Save();
    if (record->HasChanges()) record->Update();
}

PairReport::Action Synchronizer::SynchronizeItemWithRecord(const Ptr<outlook::IItem>& item,
                                                          const Ptr<kelo::IRecord>& record) {
    const auto checksum = FindOrAddChecksum(item);
    std::optional<std::vector<std::string>> stored;
    IgnoreErrors([&] { stored = text::Split(checksum->Value().ToString(), ":"); });
    if (!stored) return PairReport::Action::Unchanged;
    // Both halves are read by position before anything is decided: a value
    // that is not a pair (empty, or without ":") is an error for the caller.
    if (stored->size() < 2) {
        Raise(errors::SubscriptOutOfRange, "Synchronizer",
              "The item's KeloChecksum \"" + checksum->Value().ToString() + "\" is not a pair of checksums.");
    }
    const std::string& storedRecord = (*stored)[0];
    const std::string& storedItem = (*stored)[1];

    const std::string recordChecksum = ComputeRecordChecksum(record).ToString();
    if (recordChecksum != storedRecord) {
        // The record changed: it wins, even over changes made on the item.
        UpdateItemFromRecord(item, record);
        checksum->SetValue(recordChecksum + ":" + ComputeItemChecksum(item));
        item->Save();
        return PairReport::Action::CopiedToOutlook;
    }
    const std::string itemChecksum = ComputeItemChecksum(item);
    if (itemChecksum != storedItem) {
        UpdateRecordFromItem(record, item);
        checksum->SetValue(ComputeRecordChecksum(record).ToString() + ":" + itemChecksum);
        item->Save();
        record->Update();
        return PairReport::Action::CopiedToKelo;
    }
    return PairReport::Action::Unchanged;
}

void Synchronizer::SynchronizeItem(const Ptr<outlook::IItem>& item) {
    if (const auto record = FindRecordFromItem(item)) SynchronizeItemWithRecord(item, record);
}

// --- field mapping

void Synchronizer::UpdateRecordFromAppointmentItem(const Ptr<kelo::IRecord>& record,
                                                   const Ptr<outlook::IAppointmentItem>& item) {
    AppointmentMapping::ToRecord(*record, item);
}

void Synchronizer::UpdateRecordFromTaskItem(const Ptr<kelo::IRecord>& record, const Ptr<outlook::ITaskItem>& item) {
    TaskMapping::ToRecord(*record, item);
}

void Synchronizer::UpdateRecordFromContactItem(const Ptr<kelo::IRecord>& record,
                                               const Ptr<outlook::IContactItem>& item) {
    ContactMapping::ToRecord(*record, item);
}

void Synchronizer::UpdateRecordFromItem(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item) {
    UpdateRecordFromItemWithContext(record, item, nullptr);
}

void Synchronizer::UpdateRecordFromItemWithContext(const Ptr<kelo::IRecord>& record, const Ptr<outlook::IItem>& item,
                                                   const ObjectPtr& context) {
    if (const auto task = As<outlook::ITaskItem>(item)) {
        UpdateRecordFromTaskItem(record, task);
    } else if (const auto appointment = As<outlook::IAppointmentItem>(item)) {
        UpdateRecordFromAppointmentItem(record, appointment);
    } else if (const auto contact = As<outlook::IContactItem>(item)) {
        UpdateRecordFromContactItem(record, contact);
    } else {
        UpdateRecordFromMailItem(record, item, context);
    }
}

void Synchronizer::UpdateAppointmentItemFromRecord(const Ptr<outlook::IAppointmentItem>& item,
                                                   const Ptr<kelo::IRecord>& record) {
    AppointmentMapping::ToItem(item, *record);
}

void Synchronizer::UpdateTaskItemFromRecord(const Ptr<outlook::ITaskItem>& item, const Ptr<kelo::IRecord>& record) {
    TaskMapping::ToItem(item, *record);
}

void Synchronizer::UpdateContactItemFromRecord(const Ptr<outlook::IContactItem>& item,
                                               const Ptr<kelo::IRecord>& record) {
    ContactMapping::ToItem(item, *record);
}

void Synchronizer::UpdateItemFromRecord(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& record) {
    if (const auto task = As<outlook::ITaskItem>(item)) {
        UpdateTaskItemFromRecord(task, record);
    } else if (const auto appointment = As<outlook::IAppointmentItem>(item)) {
        UpdateAppointmentItemFromRecord(appointment, record);
    } else if (const auto contact = As<outlook::IContactItem>(item)) {
        UpdateContactItemFromRecord(contact, record);
    }
}

// --- creating records and items

Ptr<kelo::IRecord> Synchronizer::CreateRecordFromItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context) {
    return RecordFactory::ForItem(item, context);
}

Ptr<kelo::IRecord> Synchronizer::CreateAppointmentRecord() {
    return RecordFactory::Create(kelo::classlabel::ToDo, "Creating a appointment record.",
                                 "Synchronizer.CreateAppointmentRecord");
}

Ptr<kelo::IRecord> Synchronizer::CreateTaskRecord() {
    return RecordFactory::Create(kelo::classlabel::ToDo, "Creating a task record.", "Synchronizer.CreateTaskRecord");
}

Ptr<kelo::IRecord> Synchronizer::CreateMailRecord() {
    return RecordFactory::Create(kelo::classlabel::Document, "Creating a document record.",
                                 "Synchronizer.CreateMailRecord");
}

Ptr<kelo::IRecord> Synchronizer::CreatePersonRecord() {
    return RecordFactory::Create(kelo::classlabel::Person, "Creating a person record.",
                                 "Synchronizer.CreatePersonRecord");
}

Ptr<kelo::IRecord> Synchronizer::CreateCoworkerRecord() {
    return RecordFactory::Create(kelo::classlabel::Coworker, "Creating a coworker record.",
                                 "Synchronizer.CreateCoworkerRecord");
}

Ptr<outlook::IItem> Synchronizer::CreateItem(std::int32_t itemType) { return ItemFactory::Create(itemType); }

Ptr<outlook::IItem> Synchronizer::CreateItemFromRecord(const Ptr<kelo::IRecord>& record) {
    return ItemFactory::ForRecord(*record);
}

// --- folders

Ptr<outlook::IFolder> Synchronizer::CalendarFolder() {
    return SyncFolders::Folder(Globals::Options()->CalendarFolderEntryID(), outlook::olFolderCalendar);
}
Ptr<outlook::IFolder> Synchronizer::InboxFolder() {
    return SyncFolders::Folder(Globals::Options()->InboxFolderEntryID(), outlook::olFolderInbox);
}
Ptr<outlook::IFolder> Synchronizer::ContactsFolder() {
    return SyncFolders::Folder(Globals::Options()->ContactsFolderEntryID(), outlook::olFolderContacts);
}
Ptr<outlook::IFolder> Synchronizer::TasksFolder() {
    return SyncFolders::Folder(Globals::Options()->TasksFolderEntryID(), outlook::olFolderTasks);
}
Ptr<outlook::IFolder> Synchronizer::DraftsFolder() { return SyncFolders::Folder("", outlook::olFolderDrafts); }
Ptr<outlook::IFolder> Synchronizer::SentMailFolder() { return SyncFolders::Folder("", outlook::olFolderSentMail); }
Ptr<outlook::IFolder> Synchronizer::OutboxFolder() { return SyncFolders::Folder("", outlook::olFolderOutbox); }

// --- finding records

Ptr<kelo::IRecord> Synchronizer::FindRecordFromEmail(std::string_view address, const Ptr<kelo::IClass>& searchClass) {
    return RecordLookup::FindRecordFromEmail(address, searchClass);
}
Ptr<kelo::IRecord> Synchronizer::FindPersonRecordFromEmail(std::string_view address) {
    return RecordLookup::FindRecordFromEmail(address, Globals::Application()->Classes()->FindByLabel(kelo::classlabel::Person));
}
Ptr<kelo::IRecord> Synchronizer::FindCompanyRecordFromEmail(std::string_view address) {
    return RecordLookup::FindCompanyRecordFromEmail(address);
}
Ptr<kelo::IRecord> Synchronizer::FindCompanyRecordFromName(std::string_view companyName) {
    return RecordLookup::FindCompanyRecordFromName(companyName);
}
Ptr<kelo::IRecord> Synchronizer::FindCompanyRecordFromContactItem(const Ptr<outlook::IContactItem>& item) {
    return RecordLookup::FindCompanyRecordFromContactItem(item);
}
Ptr<kelo::IRecord> Synchronizer::FindPersonRecordFromContactItem(const Ptr<outlook::IContactItem>& item) {
    return RecordLookup::FindPersonRecordFromContactItem(item);
}
std::string Synchronizer::GetSenderAddressFromItem(const ObjectPtr& item) {
    return RecordLookup::GetSenderAddressFromItem(item);
}
bool Synchronizer::IsMessageSentToMe(const Ptr<mapi::IMessage>& message) {
    return RecordLookup::IsMessageSentToMe(message);
}
Ptr<kelo::IRecord> Synchronizer::FindRecordFromMailItem(const ObjectPtr& item, const Ptr<kelo::IClass>& searchClass) {
    return RecordLookup::FindRecordFromMailItem(item, searchClass);
}
Ptr<kelo::IRecord> Synchronizer::FindPersonRecordFromMailItem(const ObjectPtr& item) {
    return RecordLookup::FindRecordFromMailItem(item, Globals::Application()->Classes()->FindByLabel(kelo::classlabel::Person));
}
Ptr<kelo::IRecord> Synchronizer::FindCompanyRecordFromMailItem(const ObjectPtr& item) {
    return RecordLookup::FindCompanyRecordFromMailItem(item);
}
Ptr<kelo::IRecord> Synchronizer::GetRecordFromContext(const ObjectPtr& context) {
    return RecordLookup::GetRecordFromContext(context);
}
std::pair<Ptr<kelo::IRecord>, Ptr<kelo::IRecord>> Synchronizer::FindCompanyAndPersonFromLink(
    const Ptr<kelo::IRecord>& record) {
    return RecordLookup::FindCompanyAndPersonFromLink(record);
}
void Synchronizer::FindRecipientsFromContext(Variant& recipients, const ObjectPtr& context) {
    RecordLookup::FindRecipientsFromContext(recipients, context);
}
void Synchronizer::FindRecipientsFromInspector(Variant& recipients, const Ptr<kelo::IInspector>& inspector) {
    RecordLookup::FindRecipientsFromInspector(recipients, inspector);
}
void Synchronizer::FindRecipientsFromExplorer(Variant& recipients, const Ptr<kelo::IExplorer>& explorer) {
    RecordLookup::FindRecipientsFromExplorer(recipients, explorer);
}
void Synchronizer::FindRecipientsFromRecord(Variant& recipients, const Ptr<kelo::IRecord>& record) {
    RecordLookup::FindRecipientsFromRecord(recipients, record);
}

// --- filing and linking

void Synchronizer::UpdateRecordFromMailItem(const Ptr<kelo::IRecord>& record, const ObjectPtr& item,
                                            const ObjectPtr& context) {
    MailRecordFiler::UpdateRecordFromMailItem(record, item, context);
}
void Synchronizer::UpdateRecordFromFile(const Ptr<kelo::IRecord>& record, std::string_view filename) {
    MailRecordFiler::UpdateRecordFromFile(record, filename);
}
void Synchronizer::LinkRecordToContext(const Ptr<kelo::IRecord>& record, const ObjectPtr& context) {
    RecordLinker::LinkRecordToContext(record, context);
}
void Synchronizer::LinkRecordToExplorer(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IExplorer>& explorer) {
    RecordLinker::LinkRecordToExplorer(record, explorer);
}
void Synchronizer::LinkRecordToInspector(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IInspector>& inspector) {
    RecordLinker::LinkRecordToInspector(record, inspector);
}
void Synchronizer::LinkRecordToCompany(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& company) {
    RecordLinker::LinkRecordToCompany(record, company);
}
void Synchronizer::LinkRecordToPerson(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& person) {
    RecordLinker::LinkRecordToPerson(record, person);
}
void Synchronizer::LinkRecordToRecord(const Ptr<kelo::IRecord>& record, const Ptr<kelo::IRecord>& link) {
    RecordLinker::LinkRecordToRecord(record, link);
}
void Synchronizer::InitializeMailItemFromRecord(const Ptr<outlook::IMailItem>& item, const Ptr<kelo::IRecord>& record) {
    MailRecordFiler::InitializeMailItemFromRecord(item, record);
}
Ptr<kelo::IRecord> Synchronizer::ImportRecordFromItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context) {
    return ItemImporter::ImportRecordFromItem(item, context);
}
Ptr<kelo::IRecord> Synchronizer::ImportRecordFromEntryID(std::string_view entryId, const ObjectPtr& context) {
    return ItemImporter::ImportRecordFromEntryID(entryId, context);
}
Ptr<kelo::IRecord> Synchronizer::ImportRecordFromFile(std::string_view filename, const ObjectPtr& context) {
    return ItemImporter::ImportRecordFromFile(filename, context);
}
void Synchronizer::BuildRecordInformationFromLabels(const Ptr<kelo::IRecord>& record,
                                                    const std::vector<std::int32_t>& labels, std::string& text) {
    ContactInformation::BuildRecordInformationFromLabels(record, labels, text);
}
std::string Synchronizer::BuildContactInformation(const Ptr<kelo::IRecord>& company, const Ptr<kelo::IRecord>& person) {
    return ContactInformation::BuildContactInformation(company, person);
}
void Synchronizer::InitializeItemFromLink(const Ptr<outlook::IItem>& item, const Ptr<kelo::IRecord>& link) {
    ContactInformation::InitializeItemFromLink(item, link);
}
Ptr<outlook::ITaskItem> Synchronizer::CreateTaskItemFromLink(const Ptr<kelo::IRecord>& record) {
    auto item = Cast<outlook::ITaskItem>(CreateItem(outlook::olTaskItem));
    InitializeItemFromLink(item, record);
    return item;
}
Ptr<outlook::IAppointmentItem> Synchronizer::CreateAppointmentItemFromLink(const Ptr<kelo::IRecord>& record) {
    auto item = Cast<outlook::IAppointmentItem>(CreateItem(outlook::olAppointmentItem));
    InitializeItemFromLink(item, record);
    return item;
}
void Synchronizer::DropItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context) {
    ItemImporter::DropItem(item, context);
}
void Synchronizer::DropFile(std::string_view filename, const ObjectPtr& context) {
    ItemImporter::DropFile(filename, context);
}

bool Synchronizer::IsSynchronizationEnabled() {
    if (run_ && run_->enabled) return *run_->enabled;
    const auto user = Globals::Application()->ActiveUser();
    const auto coworker = user ? user->Record() : nullptr;
    const bool enabled = coworker && coworker->ID() == Globals::Options()->SynchronizationUser();
    if (run_) run_->enabled = enabled;
    return enabled;
}

std::optional<std::int32_t> Synchronizer::CoworkerOfUser(std::string_view userName) {
    if (run_) {
        if (const auto known = run_->coworkers.find(userName); known != run_->coworkers.end()) return known->second;
    }
    const std::optional<std::int32_t> coworker = FieldValues::CoworkerOfUser(userName);
    if (run_) run_->coworkers.emplace(userName, coworker);
    return coworker;
}

Synchronizer::RunScope::RunScope(Synchronizer& synchronizer)
    : sync_(synchronizer), outermost_(!synchronizer.run_) {
    if (outermost_) sync_.run_.emplace();
}

Synchronizer::RunScope::~RunScope() {
    if (outermost_) sync_.run_.reset();
}

// --- whole runs

void Synchronizer::SynchronizeWithWorkdialog(bool full) {
    m_WorkDialog = Cast<kelo::IWorkDialog>(Globals::Application()->CreateObject("Kelo.Dialog"));
    workDialogWork_ = m_WorkDialog->Events().Work.Connect([this] { OnWorkDialogWork(); });
    m_WorkDialog->SetCaption(Tools::GetText("SynchronizingCaption"));
    m_WorkDialog->SetStyle(7);
    m_WorkDialog->SetProgressInterval(400);
    m_WorkDialog->SetCancelText(Tools::GetText("Cancel"));
    m_WorkDialog->SetText(Tools::GetText("SynchronizingText"));
    m_WorkDialog->SetParameter("Full", Variant(full));
    const auto drop = [&] {
        workDialogWork_.Disconnect();
        m_WorkDialog.reset();
    };
    PassOn([&] { m_WorkDialog->Show(); }, drop);
    drop();
}

void Synchronizer::OnWorkDialogWork() {
    Trap([&] { Synchronize(m_WorkDialog->Parameter("Full").ToBoolean()); },
         [](const ComError& error) { Tools::ReportError(error, "Synchronizer.m_WorkDialog_Work"); });
}

void Synchronizer::Synchronize(bool full) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized).Synchronize(full);
}

void Synchronizer::GetSynchronizedItems(Dictionary& items, const Variant& timeStamp) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized).GetSynchronizedItems(items, timeStamp);
}

void Synchronizer::GetSynchronizedItemsFromFolder(Dictionary& list, const Ptr<outlook::IFolder>& folder,
                                                  const Variant& timeStamp) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized).GetSynchronizedItemsFromFolder(list, folder, timeStamp);
}

void Synchronizer::GetModifiedRecordItems(Dictionary& itemList, Date timeStamp) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized).GetModifiedRecordItems(itemList, timeStamp);
}

void Synchronizer::GetModifiedRecordItemsFromClass(const Ptr<kelo::IClass>& cls, Dictionary& itemList, Date timeStamp) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized)
        .GetModifiedRecordItemsFromClass(cls, itemList, timeStamp);
}

void Synchronizer::GetMatchingSynchronizationRecords(Dictionary& itemList, Dictionary& recordList) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized).GetMatchingSynchronizationRecords(itemList, recordList);
}

void Synchronizer::SynchronizeItemsWithRecords(Dictionary& itemList, Dictionary& recordList, bool fullSynch) {
    SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized)
        .SynchronizeItemsWithRecords(itemList, recordList, fullSynch);
}

bool Synchronizer::IsRecordValidForSynchronization(const Ptr<kelo::IRecord>& record) {
    return SynchronizationRun(*this, m_WorkDialog, events_.PairSynchronized).IsRecordValidForSynchronization(record);
}

bool Synchronizer::IsRecordValid(const Ptr<kelo::IRecord>& record) {
    return !IgnoreErrors([&] { record->Probe(); });
}

void Synchronizer::ExportRecord(const Ptr<kelo::IRecord>& record, Ptr<outlook::IItem>& item) {
    item = FindItemFromRecord(record);
    if (!item) item = CreateItemFromRecord(record);
    UpdateItemFromRecord(item, record);
    EnableSynchronization(item, record);
}

}  // namespace ostrellix::addin
