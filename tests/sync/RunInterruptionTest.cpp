#include <algorithm>

#include "standins/kelo/client/DialogPlans.h"
#include "sync/SynchronizationRun.h"
#include "tests/sync/RunFixture.h"

namespace ostrellix::addin {
namespace {

// Three appointments whose records changed in Kelo since the last run.
class RunInterruptionTest : public RunTest {
protected:
    std::vector<Ptr<kelo::IRecord>> todos;
    std::vector<Ptr<outlook::IItem>> items;
    std::vector<Date> stored;

    void SetUp() override {
        for (const char* subject : {"One", "Two", "Three"}) {
            todos.push_back(ToDo(subject, true));
            items.push_back(Pair(todos.back()));
        }
        sync->Synchronize(true);
        world.Clock().AdvanceSeconds(60);
        for (const auto& todo : todos) Change(todo, "location", "Hall " + todo->Text("subject"));
        stored = Stored();
        reports.clear();
    }
    int InStep() {
        int count = 0;
        for (std::size_t i = 0; i < todos.size(); ++i) {
            count += Cast<outlook::IAppointmentItem>(Reloaded(items[i]))->Location() == Reloaded(todos[i])->Text("location");
        }
        return count;
    }
    const standin::kelo::DialogPlans::Report& LastDialog() { return world.Kelo().Dialogs()->Reports().back(); }
};

TEST_F(RunInterruptionTest, CancellingWhileScanningOrPairingStoresNothingAndTheNextRunCatchesUp) {
    // At the scan's second item, before any pair is handled.
    world.User().CancelNextWorkDialogAtLook(2);
    sync->SynchronizeWithWorkdialog(true);
    EXPECT_TRUE(LastDialog().cancelled);
    EXPECT_TRUE(LastDialog().progress.empty());
    EXPECT_TRUE(reports.empty());
    EXPECT_EQ(Stored(), stored);

    // After the first pair's progress step: that pair keeps its new state.
    world.User().CancelNextWorkDialogAfter(1);
    sync->SynchronizeWithWorkdialog(false);
    EXPECT_TRUE(LastDialog().cancelled);
    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(InStep(), 1);
    EXPECT_EQ(Stored(), stored);

    sync->SynchronizeWithWorkdialog(false);
    EXPECT_FALSE(LastDialog().cancelled);
    EXPECT_EQ(InStep(), 3);
    EXPECT_NE(options->KeloTimestamp(), stored[1]);
    EXPECT_EQ(options->LastSynchronizationTime(), world.Clock().Now());
}

TEST_F(RunInterruptionTest, AFailingPairEndsTheRunEarlierPairsKeepTheirStateAndTheNextRunDoesTheRest) {
    sync->SetItemProperty(items[1], "KeloChecksum", "not a pair");
    items[1]->Save();
    sync->SynchronizeWithWorkdialog(true);

    EXPECT_EQ(reports.size(), 1u);
    EXPECT_EQ(InStep(), 1);
    EXPECT_EQ(Stored(), stored);
    ASSERT_EQ(world.Kelo().Boxes().History().size(), 1u);
    const std::string shown = world.Kelo().Boxes().History().back().text;
    EXPECT_NE(shown.find("Source: Synchronizer.m_WorkDialog_Work"), std::string::npos) << shown;
    EXPECT_FALSE(LastDialog().cancelled);
    const std::vector<std::string> log = world.KeloLog();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string& line) {
        return line.starts_with("2|Synchronizer|9|");
    }));

    sync->EnableSynchronization(items[1], todos[1]);  // the user repairs the pair
    sync->SynchronizeWithWorkdialog(true);
    EXPECT_EQ(InStep(), 3);
    EXPECT_NE(options->KeloTimestamp(), stored[1]);
}

TEST_F(RunInterruptionTest, TheDialogIsSetUpAsTheClientShowsItAndProgressRoundsHalvesToEven) {
    sync->SynchronizeWithWorkdialog(true);
    const auto& dialog = LastDialog();
    EXPECT_EQ(dialog.caption, "Synchronizing with Outlook");
    EXPECT_EQ(dialog.text, "Synchronizing Kelo records with Outlook. Please wait...");
    EXPECT_EQ(dialog.cancelText, "Cancel");
    EXPECT_EQ(dialog.style, 7);
    EXPECT_EQ(dialog.progressInterval, 400);
    EXPECT_EQ(dialog.progress, (std::vector<std::int32_t>{33, 67, 100}));
    EXPECT_TRUE(world.Logged("Starting synchronization, full:True"));

    const std::pair<int, int> halves[] = {{1, 8}, {3, 8}, {5, 8}, {7, 8}, {1, 200}, {3, 200}};
    const int rounded[] = {12, 38, 62, 88, 0, 2};
    for (std::size_t i = 0; i < std::size(halves); ++i) {
        EXPECT_EQ(SynchronizationRun::Progress(halves[i].first, halves[i].second), rounded[i]) << i;
    }
}

}  // namespace
}  // namespace ostrellix::addin
