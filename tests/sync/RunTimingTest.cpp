#include "tests/sync/RunFixture.h"

namespace ostrellix::addin {
namespace {

using RunTimingTest = RunTest;

TEST_F(RunTimingTest, UnsetOrOldTimeStampsForceAFullRun) {
    const auto todo = ToDo("Unset", true);
    Pair(todo);
    for (const Date outlookStamp : {Date::FromParts(1970, 1, 1), Date::FromParts(1999, 12, 31, 23, 59)}) {
        options->SetOutlookTimestamp(outlookStamp);
        options->SetKeloTimestamp(Date::FromParts(2024, 5, 1));
        world.Clock().AdvanceSeconds(60);
        sync->Synchronize(false);
        EXPECT_EQ(options->LastFullSynchronizationTime(), world.Clock().Now()) << outlookStamp.ToString();
        EXPECT_EQ(world.TimesLogged("Starting full synchronization."), world.TimesLogged("full:False"));
    }
    // Kelo's stamp alone forces one too.
    options->SetOutlookTimestamp(Date::FromParts(2024, 5, 1));
    options->SetKeloTimestamp(Date::FromParts(1999, 1, 1));
    sync->Synchronize(false);
    EXPECT_EQ(world.TimesLogged("Starting full synchronization."), 3u);
}

TEST_F(RunTimingTest, RunsStoreTheNewestTimesTheySawAndNothingWhenTheyFindNothing) {
    const std::vector<Date> before = Stored();
    sync->Synchronize(true);  // no marked items at all
    EXPECT_EQ(Stored(), before);

    const auto first = ToDo("First", true);
    const auto item = Pair(first);
    world.Clock().AdvanceSeconds(30);
    Pair(ToDo("Second", false));
    world.Clock().AdvanceSeconds(30);
    item->SetSubject("First, revised");
    item->Save();
    sync->Synchronize(true);
    EXPECT_EQ(options->OutlookTimestamp(), Reloaded(item)->LastModificationTime());
    EXPECT_EQ(options->KeloTimestamp(), Reloaded(first)->Timestamp());  // stored last, by the run
    EXPECT_EQ(options->LastFullSynchronizationTime(), world.Clock().Now());
    EXPECT_EQ(options->LastSynchronizationTime(), Date::FromParts(1970, 1, 1));

    const std::vector<Date> afterFull = Stored();
    world.Clock().AdvanceSeconds(300);
    sync->Synchronize(false);  // nothing changed: no records, so nothing stored
    EXPECT_TRUE(world.Logged("Completed partial synchronization."));
    EXPECT_EQ(Stored(), afterFull);
}

// The filter reads the stamp to the minute; the exact test then drops what
// was saved in that minute before it.
TEST_F(RunTimingTest, APartialRunFindsTheMinuteAndKeepsWhatIsExactlyLater) {
    const auto before = Pair(ToDo("Saved before the stamp", true));
    const auto after = Pair(ToDo("Saved after the stamp", true));
    sync->Synchronize(true);
    world.Clock().Set(Date::FromParts(2024, 5, 1, 10, 15, 10));
    before->SetSubject("changed at 10:15:10");
    before->Save();
    world.Clock().Set(Date::FromParts(2024, 5, 1, 10, 15, 30));
    after->SetSubject("changed at 10:15:30");
    after->Save();
    options->SetOutlookTimestamp(Date::FromParts(2024, 5, 1, 10, 15, 20));
    reports.clear();

    sync->Synchronize(false);
    EXPECT_TRUE(world.Logged("and [LastModificationTime] > '2024-05-01 10:15'"));
    EXPECT_TRUE(ReportsFor(before->EntryID()).empty());
    ASSERT_EQ(ReportsFor(after->EntryID()).size(), 1u);
    EXPECT_EQ(ReportsFor(after->EntryID())[0].action, PairReport::Action::CopiedToKelo);
    EXPECT_EQ(options->LastSynchronizationTime(), world.Clock().Now());
}

}  // namespace
}  // namespace ostrellix::addin
