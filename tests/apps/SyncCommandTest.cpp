#include "apps/ostrellix/SyncCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IUser.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/outlook/SimulatedUser.h"
#include "sync/Synchronizer.h"
#include "tests/apps/HostFixture.h"
#include "tests/support/FileText.h"

namespace ostrellix::host {
namespace {

using addin::Globals;
using Request = SyncCommand::Request;

// Anna's Outlook holds appointments and a task paired with her to-dos, then
// each side changes the way the run's decisions tell apart (deletion options
// as they come: appointments and tasks are deleted).
class SyncCommandTest : public HostFixture {
protected:
    void SetUp() override {
        auto host = StartedHost();
        const auto application = Globals::Application();
        me = application->FindUser("Anna Lindqvist")->Record()->ID();
        const std::int32_t erik = application->FindUser("Erik Holm")->Record()->ID();
        const auto options = Globals::Options();
        options->SetSynchronizationUser(me);
        // Each report below is then of the requested run alone.
        options->SetSynchronizeAtStartup(false);
        // The changes are made as if the client had been closed: without the
        // add-in's listeners, which would carry each across as it is saved.
        Globals::SetAddin(nullptr);
        Globals::DisconnectOutlookAndRedemption();

        Pair("unchanged", true);
        Pair("a task", false);
        Change(Pair("changed in Kelo", true), "subject", Variant("new in Kelo"));
        const auto item = Globals::Outlook()->Session()->GetItemFromID(Pair("changed in Outlook", true).second);
        item->SetSubject("new in Outlook");
        item->Save();
        Change(Pair("given to Erik", true), "responsible", Variant(erik));
        const auto todo = ToDo("Erik's", true);
        auto theirs = Globals::Synchronizer()->CreateItemFromRecord(todo);
        Globals::Synchronizer()->UpdateItemFromRecord(theirs, todo);
        standin::outlook::SimulatedUser(Globals::Outlook()).SaveAsColleague(theirs, "erik.holm@demo.example");
        Globals::Synchronizer()->EnableSynchronization(theirs, todo);
        // Last: the data engine gives a deleted record's id to the next new one.
        host->TheMachine().KeloUser().DeleteRecord("todo", Pair("deleted in Kelo", true).first);
    }

    Ptr<kelo::IRecord> ToDo(const std::string& subject, bool withEnd) {
        const auto application = Globals::Application();
        auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
        record->New(application->Classes()->FindByName("todo"));
        const Date start = Date::FromParts(2024, 5, 6, 9);
        record->SetValue("subject", Variant(subject));
        record->SetValue("start", start);
        record->SetValue("responsible", Variant(me));
        if (withEnd) record->SetValue("end", start.AddSeconds(3600));
        record->Update();
        return record;
    }

    // The record's id and its item's EntryID, marked as a first synchronization leaves them.
    std::pair<std::int32_t, std::string> Pair(const std::string& subject, bool withEnd) {
        const auto record = ToDo(subject, withEnd);
        const auto sync = Globals::Synchronizer();
        auto item = sync->CreateItemFromRecord(record);
        sync->UpdateItemFromRecord(item, record);
        item->Save();
        sync->EnableSynchronization(item, record);
        entryIds[subject] = item->EntryID();
        return {record->ID(), item->EntryID()};
    }

    static void Change(const std::pair<std::int32_t, std::string>& pair, const char* field, const Variant& value) {
        auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
        record->Load(Globals::Application()->Classes()->FindByName("todo"), pair.first);
        record->SetValue(field, value);
        record->Update();
    }

    int Sync(const Request& request, const SyncCommand::Interrupted& interrupted = [] { return false; }) {
        return SyncCommand::Run(NewSetup(), request, interrupted);
    }

    // Every file of the workspace with its content.
    std::map<std::string, std::string> Files() {
        std::map<std::string, std::string> files;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder.Path() / "workspace")) {
            if (!entry.is_regular_file()) continue;
            files[entry.path().string()] = testing::FileText(entry.path());
        }
        return files;
    }

    // Whether the item is still in Outlook, read by a host of its own.
    bool Exists(const std::string& subject) {
        auto host = StartedHost();
        return Globals::Outlook()->Session()->GetItemFromID(entryIds[subject]) != nullptr;
    }

    std::int32_t me = 0;
    std::map<std::string, std::string> entryIds;
};

// A report of a run that copied, unmarked and deleted nothing (another
// user's item changed within the stored time stamp's minute is found again).
bool NothingWritten(const std::string& report) {
    return report.find("synchronized, ") != std::string::npos &&
           !std::regex_search(report, std::regex("[1-9][0-9]* (copied|unmarked|deleted)"));
}

constexpr const char* kMixedRun =
    "  appointments: 1 unchanged, 1 copied to Outlook, 1 copied to Kelo, 0 unmarked, "
    "2 deleted (1 invalid record, 1 record not found), 1 skipped (1 another user's item)\n"
    "  tasks: 1 unchanged, 0 copied to Outlook, 0 copied to Kelo, 0 unmarked, 0 deleted, 0 skipped\n"
    "  contacts: 0 unchanged, 0 copied to Outlook, 0 copied to Kelo, 0 unmarked, 0 deleted, 0 skipped\n";

TEST_F(SyncCommandTest, TheReportCountsEveryPairPerKindActionAndReason) {
    ASSERT_EQ(Sync({}), 0);
    EXPECT_EQ(out.str(), std::string("Full synchronization: no run has completed since the time stamps were set.\n"
                                     "synchronized, 7 pairs:\n") + kMixedRun);
    EXPECT_FALSE(Exists("given to Erik"));
    EXPECT_FALSE(Exists("deleted in Kelo"));

    // The run stored its time stamps, so the next one is partial and finds nothing changed.
    ASSERT_EQ(Sync({}), 0);
    EXPECT_NE(out.str().find("Partial synchronization: Outlook items changed since 20"), std::string::npos);
    EXPECT_TRUE(NothingWritten(out.str())) << out.str();
}

TEST_F(SyncCommandTest, ScriptsGetOneObjectPerPairAndTheReportFileHoldsTheSame) {
    std::ostringstream json, progress;
    Host::Setup setup = NewSetup();
    setup.json = &json;
    setup.progress = &progress;
    const auto file = folder.Path() / "report.json";
    ASSERT_EQ(SyncCommand::Run(setup, {.reportFile = file.string()}, [] { return false; }), 0);

    const auto lines = JsonLines(json.str());
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines.back()["summary"]["appointments"]["deleted"], 2);
    EXPECT_EQ(lines.back()["completed"], true);

    const auto document = nlohmann::json::parse(std::ifstream(file));
    ASSERT_EQ(document["pairs"].size(), 7u);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(document["pairs"][i], lines[i]);
    EXPECT_EQ(document["summary"], lines.back()["summary"]);
    const auto changed = std::ranges::find_if(document["pairs"], [&](const nlohmann::json& pair) {
        return pair["EntryID"] == entryIds["changed in Outlook"];
    });
    ASSERT_NE(changed, document["pairs"].end());
    EXPECT_EQ((*changed)["action"], "copied to Kelo");
    EXPECT_EQ((*changed)["kind"], "appointment");
    EXPECT_EQ((*changed)["why"], "");
    EXPECT_TRUE((*changed)["KeloID"].get<std::string>().starts_with("todo:"));
    // The work dialog as drawn on a terminal, taken off the screen at the end.
    EXPECT_NE(progress.str().find("\r\x1b[K100%  6 pairs done  Synchronizing"), std::string::npos) << progress.str();
    EXPECT_TRUE(progress.str().ends_with("\r\x1b[K"));
    // Written beside the file and renamed: no temporary file is left.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

TEST_F(SyncCommandTest, ADryRunChangesNoByteOfTheWorkspaceAndForetellsTheRealRun) {
    const auto before = Files();
    ASSERT_EQ(Sync({.dryRun = true}), 0);
    const std::string preview = out.str();
    EXPECT_EQ(Files(), before);
    EXPECT_NE(preview.find("Dry run (on a copy of the workspace, which is gone again): synchronized, 7 pairs:\n"),
              std::string::npos);
    EXPECT_TRUE(Exists("deleted in Kelo"));

    ASSERT_EQ(Sync({}), 0);
    EXPECT_TRUE(preview.ends_with(kMixedRun));
    EXPECT_TRUE(out.str().ends_with(kMixedRun));
}

TEST_F(SyncCommandTest, ADeletionLimitStopsARunThatWouldRemoveMoreAndLetsOthersGo) {
    const auto before = Files();
    EXPECT_EQ(Sync({.maxDeletions = 1}), SyncCommand::kTooManyDeletions);
    EXPECT_EQ(Files(), before);
    EXPECT_NE(out.str().find("would unmark or delete 2 items, more than 1 (--max-deletions); nothing was changed:\n"
                             "  deleted appointment todo:"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("(invalid record)\n"), std::string::npos);
    EXPECT_NE(out.str().find("(record not found)\n"), std::string::npos);

    EXPECT_EQ(Sync({.maxDeletions = 2}), 0);
    EXPECT_TRUE(out.str().ends_with(kMixedRun));
    EXPECT_FALSE(Exists("deleted in Kelo"));
}

TEST_F(SyncCommandTest, CtrlCStoresNoTimeStampAndTheNextRunPicksUp) {
    int looks = 0;
    EXPECT_EQ(Sync({}, [&] { return ++looks >= 9; }), SyncCommand::kCancelled);
    // Pressed between two pairs: the one paired before keeps its state.
    EXPECT_NE(out.str().find("cancelled; nothing stored, the next run picks up, 2 pairs:"), std::string::npos)
        << out.str();
    {
        auto host = StartedHost();
        EXPECT_LT(Globals::Options()->OutlookTimestamp().Year(), 2000);
        EXPECT_LT(Globals::Options()->LastFullSynchronizationTime().Year(), 2000);
    }
    ASSERT_EQ(Sync({}), 0);
    EXPECT_NE(out.str().find("Full synchronization: no run has completed"), std::string::npos);
    EXPECT_FALSE(Exists("deleted in Kelo"));
    ASSERT_EQ(Sync({}), 0);
    EXPECT_TRUE(NothingWritten(out.str())) << out.str();
}

TEST_F(SyncCommandTest, WithoutTheSynchronizationUserItSaysSoInOneLine) {
    {
        auto host = StartedHost();
        Globals::Options()->SetSynchronizationUser(0);
    }
    EXPECT_EQ(Sync({}), 1);
    EXPECT_EQ(out.str(), "Synchronization is not enabled for Anna Lindqvist: the option SynchronizationUser is 0, "
                         "not their coworker record (ostrellix options set SynchronizationUser " +
                             std::to_string(me) + ").\n");
}

// The command line itself, run as a program.
TEST(SyncCommandLineTest, MistakesAreUsageErrorsAndHelpIsNot) {
    const auto run = [](const std::string& arguments) {
        const int status = std::system((std::string(OSTRELLIX_PROGRAM) + " " + arguments + " >/dev/null 2>&1").c_str());
        return WEXITSTATUS(status);
    };
    EXPECT_EQ(run("sync --help"), 0);
    EXPECT_EQ(run("sync --max-deletions -1"), 2);
    EXPECT_EQ(run("sync --max-deletions many"), 2);
    EXPECT_EQ(run("sync --report"), 2);
    EXPECT_EQ(run("sync --fast"), 2);
}

}  // namespace
}  // namespace ostrellix::host
