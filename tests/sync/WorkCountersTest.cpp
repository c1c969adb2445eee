#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IItems.h"
#include "standins/system/WorkCounters.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

// What the synchronization's building blocks cost in the stand-ins' work
// counters, which the synchronization benchmarks report per pair.
class WorkCountersTest : public SyncTest {
protected:
    standin::system::WorkCounters& counters = world.Machine().Counters();
    Ptr<kelo::IRecord> person = StoredRecord("person", {{"firstname", "Ida"}, {"lastname", "Berg"}});
    std::string entryId = Paired(person);

    // The record's contact, marked; nothing keeps the item object alive.
    std::string Paired(const Ptr<kelo::IRecord>& record) {
        const auto contact = Enabled<outlook::IItem>(outlook::olContactItem, record);
        // A second, unmarked contact, so that a scan and a lookup differ.
        sync->CreateItem(outlook::olContactItem)->Save();
        return contact->EntryID();
    }
    void ExpectCounts(std::int64_t loads, std::int64_t searches, std::int64_t scans, std::int64_t opens) {
        EXPECT_EQ(counters.messageLoads, loads);
        EXPECT_EQ(counters.searches, searches);
        EXPECT_EQ(counters.folderScans, scans);
        EXPECT_EQ(counters.mapiOpens, opens);
    }
};

TEST_F(WorkCountersTest, OutlookCountsSearchesScansAndLoads) {
    const auto items = sync->ContactsFolder()->Items();
    const std::string keloId = "person:" + std::to_string(person->ID());
    {
        SCOPED_TRACE("Find on the marks: one indexed search, one load of the item found");
        counters.Reset();
        const auto found = items->Find(sync->GetItemFilterForID(keloId));
        ASSERT_TRUE(found);
        EXPECT_EQ(found->EntryID(), entryId);
        EXPECT_EQ(items->FindNext(), nullptr);
        ExpectCounts(1, 1, 0, 0);
    }
    {
        SCOPED_TRACE("a filter no index narrows scans the folder");
        counters.Reset();
        const auto others = items->Restrict("NOT [KeloID] = '" + keloId + "'");
        ExpectCounts(0, 1, 1, 0);
        EXPECT_EQ(others->Count(), 1);
    }
    {
        SCOPED_TRACE("listing the folder is a scan, each item read a load but the one read last before");
        counters.Reset();
        EXPECT_EQ(items->Count(), 2);
        items->Item(1);
        items->Item(2);
        ExpectCounts(1, 0, 1, 0);
    }
}

TEST_F(WorkCountersTest, TheMapiLibraryCountsOpensOfStoredMessages) {
    counters.Reset();
    const auto message = Globals::Redemption()->GetMessageFromID(entryId);
    ASSERT_TRUE(message);
    ExpectCounts(1, 0, 0, 1);
    EXPECT_THROW(Globals::Redemption()->GetMessageFromID(entryId.substr(0, 40) + "0700FFFFFFFFFFFFFFFF"), ComError);
    ExpectCounts(1, 0, 0, 1);
}

TEST_F(WorkCountersTest, TheDataEngineCountsStatements) {
    const auto application = Globals::Application();
    const auto cls = application->Classes()->FindByName("person");
    counters.Reset();
    Reloaded(person);
    EXPECT_EQ(counters.statements, 1);

    const auto pool = Cast<kelo::IPool>(application->CreateObject("QVR.Pool"));
    for (const char* name : {"Ana", "Bo", "Cy"}) pool->Add(StoredRecord("person", {{"lastname", name}})->ID());
    const auto records = Cast<kelo::IRecords>(application->CreateObject("QVR.Records"));
    counters.Reset();
    records->OpenPool(cls, pool, {}, 0);
    EXPECT_EQ(records->Count(), 3);
    EXPECT_EQ(counters.statements, 1);
    ExpectCounts(0, 0, 0, 0);
}

// A user name's coworker (a to-do's owner or organizer) is looked up once
// while a run lasts, and each time outside one.
TEST_F(WorkCountersTest, ARunLooksUpTheCoworkerOfAUserNameOnce) {
    const std::string name = Globals::Application()->ActiveUser()->Name();
    const std::int32_t coworker = Globals::Application()->ActiveUser()->Record()->ID();
    {
        Synchronizer::RunScope run(*sync);
        EXPECT_EQ(sync->CoworkerOfUser(name), coworker);
        counters.Reset();
        EXPECT_EQ(sync->CoworkerOfUser(name), coworker);
        EXPECT_EQ(counters.statements, 0);
        EXPECT_EQ(sync->CoworkerOfUser("Nobody Here"), std::nullopt);
        const std::int64_t statements = counters.statements;
        EXPECT_EQ(sync->CoworkerOfUser("Nobody Here"), std::nullopt);
        EXPECT_EQ(counters.statements, statements);
    }
    counters.Reset();
    EXPECT_EQ(sync->CoworkerOfUser(name), coworker);
    EXPECT_GT(counters.statements, 0);
}

}  // namespace
}  // namespace ostrellix::addin
