#include <map>

#include "contracts/kelo/IApplication.h"
#include "contracts/outlook/Constants.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/sync/RunFixture.h"

namespace ostrellix::addin {
namespace {

using Action = PairReport::Action;
using Reason = PairReport::Reason;

enum class Situation {
    RecordChanged,
    ItemChanged,
    NothingChanged,
    GivenToAnotherCoworker,
    NoResponsibleCoworker,
    RecordDeleted,
    ItemDeleted,
    ItemCopied,
    ColleaguesItem,
    OtherDatabase,
};

// What a run reports for the row's item; nothing when it does not look at it.
struct Expected {
    std::optional<Action> action;
    Reason why = Reason::None;
};

struct Row {
    Situation situation;
    const char* name;
    Expected full;
    Expected partial;
};

// Deletion options as they come: appointments and tasks are deleted, contacts unmarked.
// The other user's item comes first: its record is then older than the
// newest one the baseline run saw, so only the Outlook side finds it.
const Row kTable[] = {
    {Situation::ColleaguesItem, "item of another user", {Action::Skipped, Reason::AnotherUsersItem},
     {Action::Skipped, Reason::AnotherUsersItem}},
    {Situation::RecordChanged, "record changed", {Action::CopiedToOutlook}, {Action::CopiedToOutlook}},
    {Situation::ItemChanged, "only the item changed", {Action::CopiedToKelo}, {Action::CopiedToKelo}},
    {Situation::NothingChanged, "nothing changed", {Action::Unchanged}, {}},
    {Situation::GivenToAnotherCoworker, "to-do of another coworker", {Action::Deleted, Reason::InvalidRecord},
     {Action::Deleted, Reason::InvalidRecord}},
    {Situation::NoResponsibleCoworker, "to-do of no coworker", {Action::Deleted, Reason::InvalidRecord},
     {Action::Deleted, Reason::InvalidRecord}},
    {Situation::RecordDeleted, "record deleted", {Action::Unmarked, Reason::RecordNotFound}, {}},
    {Situation::ItemDeleted, "item deleted", {}, {}},
    {Situation::ItemCopied, "item copied", {Action::Unmarked, Reason::DuplicateKeloID}, {}},
    {Situation::OtherDatabase, "item marked for another database", {}, {}},
};

class RunDecisionTest : public RunTest {
protected:
    struct Case {
        const Row* row = nullptr;
        Ptr<kelo::IRecord> record = nullptr;
        Ptr<outlook::IItem> item = nullptr;
        std::string entryId = {};
        std::string checksum = {};  // as the baseline run left it
    };
    std::vector<Case> cases;
    Ptr<outlook::IItem> copy;

    void Prepare() {
        for (const Row& row : kTable) {
            Case c{&row};
            if (row.situation == Situation::RecordDeleted) {
                c.record = StoredRecord("person", {{"firstname", "Ida"}, {"lastname", "Berg"}});
            } else {
                c.record = ToDo(row.name, row.situation != Situation::NoResponsibleCoworker);
            }
            c.item = Pair(c.record, row.situation == Situation::ColleaguesItem ? "erik.holm@demo.example" : "");
            if (row.situation == Situation::OtherDatabase) {
                sync->SetItemProperty(c.item, "KeloDatabase", "elsewhere.crm");
                c.item->Save();
            }
            c.entryId = c.item->EntryID();
            cases.push_back(c);
        }
        sync->Synchronize(true);  // the baseline every situation departs from
        for (Case& c : cases) c.checksum = Mark(Reloaded(c.item), "KeloChecksum");
        reports.clear();
        world.Clock().AdvanceSeconds(120);
    }

    void Change(Case& c) {
        switch (c.row->situation) {
            case Situation::RecordChanged:
            case Situation::OtherDatabase: RunTest::Change(c.record, "subject", "changed in Kelo"); break;
            case Situation::ItemChanged:
            case Situation::ColleaguesItem:
                c.item->SetSubject("changed in Outlook");
                c.item->Save();
                break;
            case Situation::NothingChanged: break;
            case Situation::GivenToAnotherCoworker: RunTest::Change(c.record, "responsible", colleague); break;
            case Situation::NoResponsibleCoworker: RunTest::Change(c.record, "responsible", Variant::Null()); break;
            case Situation::RecordDeleted: world.User().DeleteRecord("person", c.record->ID()); break;
            case Situation::ItemDeleted: c.item->Delete(); break;
            case Situation::ItemCopied: copy = standin::outlook::SimulatedUser(Globals::Outlook()).CopyAndPaste(c.item); break;
        }
    }

    void Verify(const Case& c, const Expected& expected) {
        SCOPED_TRACE(c.row->name);
        const std::vector<PairReport> found = ReportsFor(c.entryId);
        if (!expected.action) {
            EXPECT_TRUE(found.empty()) << PairReport::Name(found.front().action);
        } else {
            ASSERT_EQ(found.size(), 1u);
            EXPECT_EQ(PairReport::Name(found[0].action), PairReport::Name(*expected.action));
            EXPECT_EQ(PairReport::Name(found[0].why), PairReport::Name(expected.why));
            EXPECT_EQ(found[0].keloId, c.record->Class()->Name() + ":" + std::to_string(c.record->ID()));
        }
        if (c.row->situation == Situation::ItemDeleted) {
            EXPECT_EQ(Reloaded(c.record)->Text("subject"), c.row->name);
            return;
        }
        const Action action = expected.action.value_or(Action::Skipped);
        if (action == Action::Deleted) {
            EXPECT_FALSE(Exists(c.entryId));
            return;
        }
        const auto item = Globals::Outlook()->Session()->GetItemFromID(c.entryId);
        ASSERT_TRUE(item);
        if (action == Action::Unmarked) {
            EXPECT_EQ(sync->GetKeloID(item), "");
            EXPECT_EQ(item->Categories(), "");
            return;
        }
        EXPECT_NE(sync->GetKeloID(item), "");
        if (action != Action::CopiedToOutlook && action != Action::CopiedToKelo) {
            EXPECT_EQ(Mark(item, "KeloChecksum"), c.checksum);
            return;
        }
        const auto record = Reloaded(c.record);
        if (action == Action::CopiedToOutlook) {
            EXPECT_EQ(item->Subject(), "changed in Kelo");
        } else {
            EXPECT_EQ(record->Text("subject"), "changed in Outlook");
        }
        EXPECT_EQ(Mark(item, "KeloChecksum"),
                  sync->ComputeRecordChecksum(record).ToString() + ":" + sync->ComputeItemChecksum(item));
    }
};

TEST_F(RunDecisionTest, AFullRunDecidesEveryPairByTheTable) {
    Prepare();
    for (Case& c : cases) Change(c);
    sync->Synchronize(true);
    for (const Case& c : cases) Verify(c, c.row->full);
    // The copy found after the original is the one that stays paired.
    ASSERT_EQ(ReportsFor(copy->EntryID()).size(), 1u);
    EXPECT_EQ(ReportsFor(copy->EntryID())[0].action, Action::Unchanged);
    EXPECT_NE(sync->GetKeloID(Reloaded(copy)), "");
}

TEST_F(RunDecisionTest, APartialRunDecidesWhatChangedByTheTable) {
    Prepare();
    for (Case& c : cases) Change(c);
    sync->Synchronize(false);
    ASSERT_TRUE(world.Logged("Starting synchronization, full:False"));
    for (const Case& c : cases) Verify(c, c.row->partial);
    // Among the items found (only the copy is new) there is no second one.
    ASSERT_EQ(ReportsFor(copy->EntryID()).size(), 1u);
    EXPECT_EQ(ReportsFor(copy->EntryID())[0].action, Action::Unchanged);
}

// The record side of a partial run asks no sender: another user's item
// whose record changed in Kelo is paired like any other.
TEST_F(RunDecisionTest, AnotherUsersItemIsPairedInAPartialRunWhenItsRecordChanged) {
    const auto todo = ToDo("Erik's copy", true);
    const auto item = Pair(todo, "erik.holm@demo.example");
    world.Clock().AdvanceSeconds(120);  // out of the minute the Outlook stamp will name
    Pair(ToDo("mine", true));
    sync->Synchronize(true);
    world.Clock().AdvanceSeconds(60);
    RunTest::Change(todo, "location", "Hall D");
    reports.clear();

    sync->Synchronize(false);
    ASSERT_EQ(ReportsFor(item->EntryID()).size(), 1u);
    EXPECT_EQ(ReportsFor(item->EntryID())[0].action, Action::CopiedToOutlook);
    EXPECT_EQ(Cast<outlook::IAppointmentItem>(Reloaded(item))->Location(), "Hall D");

    reports.clear();
    sync->Synchronize(true);
    EXPECT_EQ(ReportsFor(item->EntryID())[0].action, Action::Skipped);
}

}  // namespace
}  // namespace ostrellix::addin
