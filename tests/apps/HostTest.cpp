#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "apps/ostrellix/DemoCommand.h"
#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/LogCommand.h"
#include "apps/ostrellix/OptionsCommand.h"
#include "apps/ostrellix/StatusCommand.h"
#include "runtime/ComError.h"
#include "tests/apps/HostFixture.h"

namespace ostrellix::host {
namespace {

using HostTest = HostFixture;

TEST_F(HostTest, FirstRunMakesTheWorkspaceAndLaterRunsReuseIt) {
    {
        const auto host = NewHost();
        EXPECT_TRUE(host->TheWorkspace().New());
        EXPECT_EQ(StatusCommand::Run(*host), 0);
        EXPECT_NE(out.str().find("(new)"), std::string::npos);
        EXPECT_NE(out.str().find("Outlook:         not running"), std::string::npos);
    }
    const auto host = NewHost(true);
    EXPECT_FALSE(host->TheWorkspace().New());
    EXPECT_EQ(StatusCommand::Run(*host), 0);
    EXPECT_NE(out.str().find("Outlook:         running, version 16."), std::string::npos);
}

TEST_F(HostTest, OptionsAreCheckedAndKept) {
    {
        const auto host = NewHost();
        EXPECT_EQ(OptionsCommand::Set(*host, "saveoutgoingmailmode", "2"), 0);
        EXPECT_EQ(OptionsCommand::Set(*host, "AllowDragDrop", "no"), 0);
        EXPECT_EQ(OptionsCommand::Set(*host, "LastSynchronizationTime", "2024-05-01 10:15"), 0);
        EXPECT_THROW(OptionsCommand::Set(*host, "SaveOutgoingMailMode", "40000"), ComError);
        EXPECT_THROW(OptionsCommand::Set(*host, "AllowDragDrop", "maybe"), ComError);
        EXPECT_THROW(OptionsCommand::Set(*host, "NoSuchOption", "1"), ComError);
    }
    const auto host = NewHost();
    EXPECT_EQ(OptionsCommand::Get(*host, "SaveOutgoingMailMode"), 0);
    EXPECT_EQ(out.str(), "2\n");
    out.str("");
    EXPECT_EQ(OptionsCommand::List(*host), 0);
    EXPECT_NE(out.str().find("AllowDragDrop"), std::string::npos);
    EXPECT_NE(out.str().find("2024-05-01 10:15:00"), std::string::npos);
}

TEST_F(HostTest, DemoTellsTheWholeTour) {
    // Twice on the same workspace: the second tour files the same way.
    for (int run = 1; run <= 2; ++run) {
        const auto host = NewHost();
        EXPECT_EQ(DemoCommand::Run(*host), 0) << out.str();
        const std::string text = out.str();
        for (const char* expected :
             {"| Addin - OnConnection", "| Globals - Done since Outlook is not running",
              "| Globals - Outlook.Version = 16.", "category \"Kelo\" is there, colour 5",
              "\"Spring order confirmed\", person: Maria Sjöberg, company: Nordvik Trading AB.",
              "\"Consulting hours in May\", person: none, company: Tallbacka Konsult.",
              "in Kelo, without a run, the mobile number is now +46 70 555 01 23.",
              "She puts back +46 70 555 01 12 the same way; Kelo has +46 70 555 01 12.",
              "as she saves it, the appointment in Outlook becomes \"Call Maria about the summer order\".",
              "as she saves it, the to-do in Kelo becomes \"Plan the consulting days with Tallbacka\".",
              "0 copied to Outlook, 0 copied to Kelo",
              "| Globals - ReleaseCachedObjects", "Done."}) {
            EXPECT_NE(text.find(expected), std::string::npos) << "run " << run << ": " << expected;
        }
        // The received mail filed with its button and the sent one filed by the add-in.
        EXPECT_EQ(Occurrences(text, "Record window opened and saved: document "), 2) << "run " << run;
        EXPECT_TRUE(std::filesystem::is_empty(host->TheWorkspace().Work())) << "run " << run;
    }
    {
        const auto host = NewHost();
        EXPECT_EQ(OptionsCommand::Set(*host, "AllowDragDrop", "no"), 0);
    }
    const auto host = NewHost();
    EXPECT_EQ(DemoCommand::Run(*host), 2);
    EXPECT_NE(out.str().find("Nothing was filed"), std::string::npos);
}

TEST_F(HostTest, DebugLogIsWrittenOnceSwitchedOn) {
    {
        const auto host = NewHost();
        EXPECT_EQ(LogCommand::SetDebug(*host, true), 0);
    }
    {
        const auto host = NewHost();
        EXPECT_EQ(StatusCommand::Run(*host), 0);
    }
    const auto host = NewHost();
    EXPECT_EQ(LogCommand::Run(*host, 0), 0);
    EXPECT_NE(out.str().find("Addin - StartUpComplete"), std::string::npos);
}

TEST_F(HostTest, AWorkspaceThatIsAFileIsRefused) {
    std::ofstream(folder.Path() / "file") << "x";
    EXPECT_THROW(Workspace::Open(folder.Path() / "file"), ComError);
}

}  // namespace
}  // namespace ostrellix::host
