#include "sync/SynchronizationRun.h"

#include <pugixml.hpp>

#include <algorithm>
#include <iterator>
#include <type_traits>
#include <vector>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IFields.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IQuery.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/ITaskItem.h"
#include "core/DebugLog.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/ItemMarks.h"
#include "sync/MapiView.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

namespace {

constexpr DebugLog Log("Synchronizer - ");

constexpr const char* kValidityLocation = "Ostrellix.Synxhronizer.IsRecordValidForSynchronization.";

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The user's short date and short time: the filter compares to the minute.
std::string ShortDateAndTime(Date date) {
    return date.DatePart().ToString() + " " + TwoDigits(date.Hour()) + ":" + TwoDigits(date.Minute());
}

PairReport::Kind KindOf(const Ptr<outlook::IItem>& item) {
    if (Is<outlook::ITaskItem>(item)) return PairReport::Kind::Task;
    if (Is<outlook::IContactItem>(item)) return PairReport::Kind::Contact;
    return PairReport::Kind::Appointment;
}

void AddProgressLog(std::string_view message, std::string_view location) {
    Tools::AddLog(kelo::logtype::Progress, message, location, "");
}

}  // namespace

SynchronizationRun::SynchronizationRun(Synchronizer& synchronizer, Ptr<kelo::IWorkDialog> dialog,
                                       Signal<const PairReport&>& reported)
    : sync_(synchronizer), scope_(synchronizer), dialog_(std::move(dialog)), reported_(reported) {}

// ---- what a run reads once

bool SynchronizationRun::Enabled() { return sync_.IsSynchronizationEnabled(); }

std::int32_t SynchronizationRun::SynchronizationUser() {
    if (!synchronizationUser_) synchronizationUser_ = Globals::Options()->SynchronizationUser();
    return *synchronizationUser_;
}

const std::string& SynchronizationRun::UserName() {
    if (!userName_) userName_ = text::UCase(Globals::Redemption()->CurrentUser()->Name());
    return *userName_;
}

Ptr<outlook::IFolder> SynchronizationRun::ContactsFolder() {
    if (!contactsFolder_) contactsFolder_ = sync_.ContactsFolder();
    return contactsFolder_;
}

Ptr<outlook::IFolder> SynchronizationRun::CalendarFolder() {
    if (!calendarFolder_) calendarFolder_ = sync_.CalendarFolder();
    return calendarFolder_;
}

Ptr<outlook::IFolder> SynchronizationRun::TasksFolder() {
    if (!tasksFolder_) tasksFolder_ = sync_.TasksFolder();
    return tasksFolder_;
}

const SynchronizationRun::ResponsibleField& SynchronizationRun::Responsible(const Ptr<kelo::IClass>& todoClass) {
    const std::string name = todoClass->Name();
    const auto known = responsible_.find(name);
    if (known != responsible_.end()) return known->second;
    ResponsibleField responsible;
    if (auto field = todoClass->Fields()->FindByLabel(10)) {
        const auto counterpart = field->Type() == kelo::fieldtype::RelationToOne ? field->Counterpart() : nullptr;
        if (counterpart && counterpart->Class()->Label() == kelo::classlabel::Coworker) {
            responsible.field = field;
        } else {
            responsible.mislabelled = true;
        }
    }
    return responsible_.emplace(name, responsible).first->second;
}

// ---- the run

void SynchronizationRun::Synchronize(bool full) {
    Log(std::string("Starting synchronization, full:") + (full ? "True" : "False"));
    const auto options = Globals::Options();
    const Date outlookStamp = options->OutlookTimestamp();
    const Date keloStamp = options->KeloTimestamp();
    // Unset time stamps (1970 by default) force a full run.
    if (full || outlookStamp.Year() < 2000 || keloStamp.Year() < 2000) {
        AddProgressLog("Starting full synchronization.", "Synchronize");
        Dictionary items;
        Dictionary records;
        GetSynchronizedItems(items, Variant());
        if (items.Count() > 0) {
            GetMatchingSynchronizationRecords(items, records);
            SynchronizePairs(items, records, true);
        }
        AddProgressLog("Completed full synchronization.", "Synchronize");
        return;
    }
    AddProgressLog("Starting partial synchronization. Timestamp Outlook: " + outlookStamp.ToString() +
                       ", Timestamp Kelo: " + keloStamp.ToString(),
                   "Synchronize");
    Dictionary items;
    Dictionary records;
    GetSynchronizedItems(items, Variant(outlookStamp));
    GetModifiedRecordItems(items, keloStamp);
    GetMatchingSynchronizationRecords(items, records);
    SynchronizePairs(items, records, false);
    AddProgressLog("Completed partial synchronization.", "Synchronize");
}

void SynchronizationRun::GetSynchronizedItems(Dictionary& items, const Variant& timeStamp) {
    const auto options = Globals::Options();
    if (options->SynchronizeAppointments()) {
        Log("Synchronizing appointments...");
        GetSynchronizedItemsFromFolder(items, CalendarFolder(), timeStamp);
    }
    if (options->SynchronizeTasks()) {
        Log("Synchronizing tasks...");
        GetSynchronizedItemsFromFolder(items, TasksFolder(), timeStamp);
    }
    if (options->SynchronizeContacts()) {
        Log("Synchronizing contacts...");
        GetSynchronizedItemsFromFolder(items, ContactsFolder(), timeStamp);
    }
}

void SynchronizationRun::GetSynchronizedItemsFromFolder(Dictionary& list, const Ptr<outlook::IFolder>& folder,
                                                        const Variant& timeStamp) {
    if (!Enabled()) return;
    // A folder Outlook failed to give is "object variable not set", as for any nothing used.
    const std::string folderName = Must(folder).Name();
    AddProgressLog("Retrieving synchronized items from folder '" + folderName + "'.", "GetSynchronizedItemsFromFolder.");
    Log("GetSynchronizedItemsFromFolder() started.");
    std::string filter = "[%1] <> '' AND [%2] = '%3'";
    filter = text::Replace(filter, "%1", "KeloID");
    filter = text::Replace(filter, "%2", "KeloDatabase");
    filter = text::Replace(filter, "%3", sync_.DatabaseTag());
    const bool sinceStamp = timeStamp.IsDate();
    if (sinceStamp) filter += " and [LastModificationTime] > '" + ShortDateAndTime(timeStamp.ToDate()) + "'";
    Log("Folder = " + folderName + ", filter = " + filter);

    const auto items = folder->Items();
    Ptr<outlook::IItem> item;
    IgnoreErrors([&] { item = items->Find(filter); });
    for (; item; item = items->FindNext()) {
        if (Cancelled()) break;
        const std::string keloId = sync_.GetKeloID(item);
        if (list.Exists(keloId)) {
            // Two items carry one KeloID (the user copied one): the one found later is kept.
            const auto earlier = list.Item(keloId).ToObjectAs<outlook::IItem>();
            ItemMarks::Remove(earlier);
            list.Remove(keloId);
            Report(earlier, keloId, PairReport::Action::Unmarked, PairReport::Reason::DuplicateKeloID);
        }
        if (keloId.find(':') == std::string::npos) continue;
        const bool mine = text::UCase(MapiView::Open(item)->SenderName()) == UserName();
        if (!mine) Report(item, keloId, PairReport::Action::Skipped, PairReport::Reason::AnotherUsersItem);
        // The filter works to the minute; this test is exact.
        if (mine && !list.Exists(keloId) && (!sinceStamp || item->LastModificationTime() > timeStamp.ToDate())) {
            list.Add(keloId, Variant(item));
        } else {
            OpenedMessages::Release(item->EntryID());
        }
    }
    Log("GetSynchronizedItemsFromFolder() finished");
    AddProgressLog("Retrieved " + std::to_string(list.Count()) + " synchronzied items from folder '" + folderName + "'.",
                   "GetSynchronizedItemsFromFolder");
}

void SynchronizationRun::GetModifiedRecordItems(Dictionary& itemList, Date timeStamp) {
    const auto classes = Globals::Application()->Classes();
    const auto coworkers = classes->FindByLabel(kelo::classlabel::Coworker);
    const auto persons = classes->FindByLabel(kelo::classlabel::Person);
    const auto todos = classes->FindByLabel(kelo::classlabel::ToDo);
    const auto options = Globals::Options();
    if ((options->SynchronizeAppointments() || options->SynchronizeTasks()) && todos) {
        GetModifiedRecordItemsFromClass(todos, itemList, timeStamp);
    }
    if (options->SynchronizeContacts()) {
        if (coworkers) GetModifiedRecordItemsFromClass(coworkers, itemList, timeStamp);
        if (persons) GetModifiedRecordItemsFromClass(persons, itemList, timeStamp);
    }
}

void SynchronizationRun::GetModifiedRecordItemsFromClass(const Ptr<kelo::IClass>& cls, Dictionary& itemList,
                                                         Date timeStamp) {
    const auto application = Globals::Application();
    const auto query = Cast<kelo::IQuery>(application->CreateObject("QVR.Query"));
    const auto filter = Cast<kelo::IFilter>(application->CreateObject("QVR.Filter"));
    filter->Add("timestamp", kelo::op::LaterThan, Variant(timeStamp));
    const std::string className = cls->Name();
    const std::string idAttribute = "id" + className;
    pugi::xml_document answer;
    answer.load_string(query->Run(cls, filter, {idAttribute, "descriptive", "timestamp"}).c_str());
    const std::int32_t label = cls->Label();
    for (const pugi::xml_node record : answer.document_element().children()) {
        const std::string keloId = className + ":" + record.attribute(idAttribute.c_str()).value();
        const Ptr<outlook::IItem> item = FindMarkedItem(keloId, label);
        if (item && !itemList.Exists(keloId)) itemList.Add(keloId, Variant(item));
    }
}

Ptr<outlook::IItem> SynchronizationRun::FindMarkedItem(const std::string& keloId, std::int32_t classLabel) {
    const std::string filter = Synchronizer::ItemFilterForID(keloId, sync_.DatabaseTag());
    Ptr<outlook::IItem> item;
    const auto findIn = [&](const Ptr<outlook::IFolder>& folder) {
        IgnoreErrors([&] { item = Must(folder).Items()->Find(filter); });
    };
    if (classLabel == kelo::classlabel::Coworker || classLabel == kelo::classlabel::Person) {
        findIn(ContactsFolder());
    } else if (classLabel == kelo::classlabel::ToDo) {
        findIn(CalendarFolder());
        if (!item) findIn(TasksFolder());
    }
    return item;
}

void SynchronizationRun::GetMatchingSynchronizationRecords(const Dictionary& itemList, Dictionary& recordList) {
    AddProgressLog("Retrieving synchronized items from KELO Pro.", "GetMatchingSynchronizationRecords");
    const auto application = Globals::Application();
    // One pool per class, in the order the classes first appear: one read per class.
    std::vector<std::pair<std::string, Ptr<kelo::IPool>>> pools;
    for (const auto& [keloId, item] : itemList) {
        const std::vector<std::string> parts = text::Split(keloId, ":");
        auto pool = std::find_if(pools.begin(), pools.end(), [&](const auto& entry) { return entry.first == parts[0]; });
        if (pool == pools.end()) {
            pools.emplace_back(parts[0], Cast<kelo::IPool>(application->CreateObject("QVR.Pool")));
            pool = std::prev(pools.end());
        }
        pool->second->Add(Variant(parts.at(1)).ToLong());
    }
    for (const auto& [className, pool] : pools) {
        const auto records = Cast<kelo::IRecords>(application->CreateObject("QVR.Records"));
        records->OpenPool(application->Classes()->FindByName(className), pool);
        for (std::int32_t i = 1, count = records->Count(); i <= count; ++i) {
            const auto record = records->Item(i);
            recordList.Add(className + ":" + std::to_string(record->ID()), Variant(record));
        }
    }
    AddProgressLog("Retrieved " + std::to_string(recordList.Count()) + " synchronized items from KELO Pro.",
                   "GetMatchingSynchronizationRecords");
}

void SynchronizationRun::SynchronizeItemsWithRecords(const Dictionary& itemList, const Dictionary& recordList,
                                                     bool fullSynch) {
    SynchronizePairs(itemList, recordList, fullSynch);
}

template <class List>
void SynchronizationRun::SynchronizePairs(List& itemList, List& recordList, bool fullSynch) {
    constexpr bool ownLists = !std::is_const_v<List>;
    if (!Enabled()) return;
    Log("SynchronizeItemsWithRecords started.");
    const auto options = Globals::Options();
    Date outlookStamp = options->OutlookTimestamp();
    Date keloStamp = options->KeloTimestamp();
    if (recordList.Count() == 0 && !fullSynch) return;

    const std::int32_t total = itemList.Count();
    std::int32_t n = 0;
    for (auto& [keloId, entry] : itemList) {
        ++n;
        if (Cancelled()) return;
        if (dialog_) dialog_->SetProgress(Progress(n, total));
        const Variant& held = entry;
        const Ptr<outlook::IItem> item = held.ToObjectAs<outlook::IItem>();
        const std::string entryId = item->EntryID();
        // One lookup of the pair's record, read and, in the run's own lists, let go.
        auto* const partner = recordList.Find(keloId);
        if (partner) {
            const Ptr<kelo::IRecord> record = partner->template ToObjectAs<kelo::IRecord>();
            if (!IsRecordValidForSynchronization(record)) {
                Disable(item, keloId, PairReport::Reason::InvalidRecord);
            } else {
                Report(item, keloId, sync_.SynchronizeItemWithRecord(item, record));
                if (item->LastModificationTime() > outlookStamp) outlookStamp = item->LastModificationTime();
                if (record->Timestamp() > keloStamp) keloStamp = record->Timestamp();
            }
        } else if (fullSynch) {
            Disable(item, keloId, PairReport::Reason::RecordNotFound);
        } else {
            Report(item, keloId, PairReport::Action::Skipped, PairReport::Reason::RecordNotFound);
        }
        OpenedMessages::Release(entryId);
        if constexpr (ownLists) {
            entry = Variant();
            if (partner) *partner = Variant();
        }
    }
    options->SetOutlookTimestamp(outlookStamp);
    options->SetKeloTimestamp(keloStamp);
    const Date now = Globals::System().Clock().Now();
    if (fullSynch) {
        options->SetLastFullSynchronizationTime(now);
    } else {
        options->SetLastSynchronizationTime(now);
    }
    Log("SynchronizeItemsWithRecords finished.");
}

bool SynchronizationRun::IsRecordValidForSynchronization(const Ptr<kelo::IRecord>& record) {
    if (!Enabled()) {
        Tools::AddLog(kelo::logtype::Stop, "Synchronization is not enabled.", kValidityLocation, "");
        return false;
    }
    const auto cls = record->Class();
    if (cls->Label() != kelo::classlabel::ToDo) return true;
    const ResponsibleField& responsible = Responsible(cls);
    if (responsible.mislabelled) {
        Tools::AddLog(kelo::logtype::Stop, "There is no field labelled 'tqFieldLabelResponsibleCoworker'.",
                      kValidityLocation, "");
    }
    if (!responsible.field) return true;
    const Variant coworker = record->Value(responsible.field->Name());
    if (coworker.IsNull()) return false;
    if (coworker.ToLong() != SynchronizationUser()) {
        Tools::AddLog(kelo::logtype::Stop,
                      "The new todo is linked to another coworker that the one specified for synchronization.",
                      kValidityLocation, "");
        return false;
    }
    return true;
}

std::int32_t SynchronizationRun::Progress(std::int32_t n, std::int32_t total) {
    const std::int64_t scaled = std::int64_t{n} * 100;
    std::int64_t quotient = scaled / total;
    const std::int64_t twiceRemainder = 2 * (scaled % total);
    if (twiceRemainder > total || (twiceRemainder == total && quotient % 2 != 0)) ++quotient;
    return static_cast<std::int32_t>(quotient);
}

// ---- helpers

bool SynchronizationRun::Cancelled() { return dialog_ && dialog_->Cancelled(); }

void SynchronizationRun::Disable(const Ptr<outlook::IItem>& item, const std::string& keloId, PairReport::Reason why) {
    const std::string entryId = item->EntryID();
    const PairReport::Kind kind = KindOf(item);
    const bool deleted = sync_.DisableSynchronizationForItem(item);
    reported_.Raise(PairReport{kind, keloId, entryId,
                               deleted ? PairReport::Action::Deleted : PairReport::Action::Unmarked, why});
}

void SynchronizationRun::Report(const Ptr<outlook::IItem>& item, const std::string& keloId, PairReport::Action action,
                                PairReport::Reason why) {
    reported_.Raise(PairReport{KindOf(item), keloId, item->EntryID(), action, why});
}

}  // namespace ostrellix::addin
