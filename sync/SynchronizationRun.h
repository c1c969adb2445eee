#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IField.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/kelo/IWorkDialog.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItem.h"
#include "runtime/Date.h"
#include "runtime/Dictionary.h"
#include "runtime/Signal.h"
#include "sync/OpenedMessages.h"
#include "sync/PairReport.h"
#include "sync/Synchronizer.h"

namespace ostrellix::addin {

// One synchronization run, or one of its steps called on its own: gathers
// the marked Outlook items (and, in a partial run, the items of records
// changed in Kelo), loads their records with one pool per class, and pairs
// them. Item lists map a KeloID to an Outlook item, record lists a KeloID to
// a record.
//
// What cannot change while a run goes on is read once, when first needed:
// whether synchronization is enabled and the database tag (kept by the
// synchronizer for the run's length, see RunScope), the synchronization
// user, the folders, the profile user's name, each to-do class's
// responsible-coworker field. The messages the MAPI library opens stay open
// for the pair they belong to.
//
// Without a work dialog (the start-up run, Addin.Synchronize) nothing can
// cancel and no progress is shown. Every pair handled is told to `reported`.
class SynchronizationRun {
public:
    SynchronizationRun(Synchronizer& synchronizer, Ptr<kelo::IWorkDialog> dialog,
                       Signal<const PairReport&>& reported);

    void Synchronize(bool full);
    void GetSynchronizedItems(Dictionary& items, const Variant& timeStamp);
    void GetSynchronizedItemsFromFolder(Dictionary& list, const Ptr<outlook::IFolder>& folder, const Variant& timeStamp);
    void GetModifiedRecordItems(Dictionary& itemList, Date timeStamp);
    void GetModifiedRecordItemsFromClass(const Ptr<kelo::IClass>& cls, Dictionary& itemList, Date timeStamp);
    void GetMatchingSynchronizationRecords(const Dictionary& itemList, Dictionary& recordList);
    void SynchronizeItemsWithRecords(const Dictionary& itemList, const Dictionary& recordList, bool fullSynch);
    bool IsRecordValidForSynchronization(const Ptr<kelo::IRecord>& record);

    // n × 100 / total to the nearest whole number, halves to the even one.
    static std::int32_t Progress(std::int32_t n, std::int32_t total);

private:
    // The to-do class's field labelled 10, when it is a relation to the coworker class.
    struct ResponsibleField {
        Ptr<kelo::IField> field;
        bool mislabelled = false;  // labelled 10 but no relation to coworkers
    };

    bool Enabled();
    std::int32_t SynchronizationUser();
    const std::string& UserName();
    Ptr<outlook::IFolder> ContactsFolder();
    Ptr<outlook::IFolder> CalendarFolder();
    Ptr<outlook::IFolder> TasksFolder();
    const ResponsibleField& Responsible(const Ptr<kelo::IClass>& todoClass);

    // The pairing loop. Given the run's own lists (not const), it lets each
    // pair's item and record go once the pair is done: freed while they are
    // still in the processor's caches rather than all at the end.
    template <class List>
    void SynchronizePairs(List& itemList, List& recordList, bool fullSynch);

    bool Cancelled();
    Ptr<outlook::IItem> FindMarkedItem(const std::string& keloId, std::int32_t classLabel);
    void Disable(const Ptr<outlook::IItem>& item, const std::string& keloId, PairReport::Reason why);
    void Report(const Ptr<outlook::IItem>& item, const std::string& keloId, PairReport::Action action,
                PairReport::Reason why = PairReport::Reason::None);

    Synchronizer& sync_;
    Synchronizer::RunScope scope_;
    Ptr<kelo::IWorkDialog> dialog_;
    Signal<const PairReport&>& reported_;
    OpenedMessages opened_;

    std::optional<std::int32_t> synchronizationUser_;
    std::optional<std::string> userName_;
    Ptr<outlook::IFolder> contactsFolder_, calendarFolder_, tasksFolder_;
    std::unordered_map<std::string, ResponsibleField> responsible_;
};

}  // namespace ostrellix::addin
