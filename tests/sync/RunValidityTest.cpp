#include "contracts/kelo/IApplication.h"
#include "tests/sync/RunFixture.h"

namespace ostrellix::addin {
namespace {

constexpr const char* kLocation = "Ostrellix.Synxhronizer.IsRecordValidForSynchronization.";

using RunValidityTest = RunTest;

TEST_F(RunValidityTest, OnlyToDosOfTheSynchronizationUserAreValidAndTheRestIsLogged) {
    struct Row {
        const char* name;
        Ptr<kelo::IRecord> record;
        bool valid;
        const char* logged;  // the type-6 entry, if any
    };
    const Row rows[] = {
        {"person", StoredRecord("person", {{"lastname", "Berg"}}), true, nullptr},
        {"to-do of the user", ToDo("mine", true), true, nullptr},
        {"to-do of no coworker", ToDo("nobody's", true, Variant::Null()), false, nullptr},
        {"to-do of another coworker", ToDo("Erik's", true, Variant(colleague)), false,
         "The new todo is linked to another coworker that the one specified for synchronization."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::size_t before = world.KeloLog().size();
        EXPECT_EQ(sync->IsRecordValidForSynchronization(row.record), row.valid);
        const std::vector<std::string> log = world.KeloLog();
        ASSERT_EQ(log.size(), before + (row.logged ? 1 : 0));
        if (row.logged) {
            EXPECT_EQ(log.back(), std::string("6|") + kLocation + "||" + row.logged);
        }
    }

    options->SetSynchronizationUser(colleague);  // another user's profile: nothing is valid
    EXPECT_FALSE(sync->IsRecordValidForSynchronization(rows[0].record));
    EXPECT_EQ(world.KeloLog().back(), std::string("6|") + kLocation + "||Synchronization is not enabled.");
}

TEST_F(RunValidityTest, ARecordIsValidWhileTheDataEngineCanUseIt) {
    const auto person = StoredRecord("person", {{"lastname", "Berg"}});
    EXPECT_TRUE(sync->IsRecordValid(person));
    EXPECT_FALSE(sync->IsRecordValid(Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"))));
    world.User().DeleteRecord("person", person->ID());
    EXPECT_FALSE(sync->IsRecordValid(person));
}

TEST_F(RunValidityTest, ARunLogsItsStepsWithTheirTextsAndLocations) {
    Pair(ToDo("Logged", true));
    const std::size_t before = world.KeloLog().size();
    sync->Synchronize(true);
    const std::vector<std::string> log = world.KeloLog();
    const std::vector<std::string> run(log.begin() + static_cast<std::ptrdiff_t>(before), log.end());
    EXPECT_EQ(run, (std::vector<std::string>{
                       "4|Synchronize||Starting full synchronization.",
                       "4|GetSynchronizedItemsFromFolder.||Retrieving synchronized items from folder 'Calendar'.",
                       "4|GetSynchronizedItemsFromFolder||Retrieved 1 synchronzied items from folder 'Calendar'.",
                       "4|GetSynchronizedItemsFromFolder.||Retrieving synchronized items from folder 'Tasks'.",
                       "4|GetSynchronizedItemsFromFolder||Retrieved 1 synchronzied items from folder 'Tasks'.",
                       "4|GetSynchronizedItemsFromFolder.||Retrieving synchronized items from folder 'Contacts'.",
                       "4|GetSynchronizedItemsFromFolder||Retrieved 1 synchronzied items from folder 'Contacts'.",
                       "4|GetMatchingSynchronizationRecords||Retrieving synchronized items from KELO Pro.",
                       "4|GetMatchingSynchronizationRecords||Retrieved 1 synchronized items from KELO Pro.",
                       "4|Synchronize||Completed full synchronization.",
                   }));
    for (const char* line : {"Synchronizer - Starting synchronization, full:True", "Synchronizer - Synchronizing appointments...",
                             "Synchronizer - Synchronizing tasks...", "Synchronizer - Synchronizing contacts...",
                             "Synchronizer - GetSynchronizedItemsFromFolder() started.",
                             "Synchronizer - GetSynchronizedItemsFromFolder() finished",
                             "Synchronizer - SynchronizeItemsWithRecords started.",
                             "Synchronizer - SynchronizeItemsWithRecords finished."}) {
        EXPECT_TRUE(world.Logged(line)) << line;
    }
    const std::string tag = sync->DatabaseTag();
    EXPECT_TRUE(world.Logged("Synchronizer - Folder = Calendar, filter = [KeloID] <> '' AND [KeloDatabase] = '" + tag + "'"));
}

}  // namespace
}  // namespace ostrellix::addin
