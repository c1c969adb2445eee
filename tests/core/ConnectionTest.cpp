#include <gtest/gtest.h>

#include "contracts/outlook/Constants.h"
#include "contracts/win/IShell.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/Dictionary.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::addin {
namespace {

using testing::AddinWorld;

TEST(ConnectionTest, StartUpAttachesToARunningOutlook) {
    AddinWorld world(AddinWorld::Options{.outlookRunning = true, .start = true});
    const auto outlook = Globals::OutlookIfRunning();
    ASSERT_TRUE(outlook);
    EXPECT_TRUE(SameObject(outlook, world.Outlook()));
    EXPECT_TRUE(world.Logged("Globals - Outlook.Version = " + outlook->Version()));
    EXPECT_TRUE(world.Logged("Globals - SetupEventListeners"));

    // The category, in colour 5, and Outlook told to let go of external references.
    const auto category = outlook->Session()->Categories()->Item("Kelo");
    ASSERT_TRUE(category);
    EXPECT_EQ(category->Color(), kCategoryColor);
    const std::string major = std::to_string(Globals::GetOutlookMajorVersion());
    const auto value = world.System().Settings().ReadValue(
        "Software\\Microsoft\\Office\\" + major + ".0\\Outlook\\Options\\Shutdown", "AllowShutdownWithExternalReferences");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->data.ToLong(), 0);
}

TEST(ConnectionTest, ALiveConnectionIsKeptQuietly) {
    AddinWorld world(AddinWorld::Options{.outlookRunning = true, .start = true});
    const auto lines = world.DebugLines().size();
    Globals::ConnectToOutlook(false);
    Globals::ConnectToOutlook(true);
    EXPECT_EQ(world.DebugLines().size(), lines);
}

TEST(ConnectionTest, MajorVersionComesFromOutlookElseFourteen) {
    {
        AddinWorld world;
        EXPECT_EQ(Globals::GetOutlookMajorVersion(), kDefaultOutlookMajorVersion);
    }
    AddinWorld world(AddinWorld::Options{.outlookRunning = true});
    const std::string version = world.Outlook()->Version();
    EXPECT_EQ(std::to_string(Globals::GetOutlookMajorVersion()), version.substr(0, version.find('.')));
}

TEST(ConnectionTest, AnExistingCategoryIsKept) {
    AddinWorld world(AddinWorld::Options{.outlookRunning = true});
    world.Outlook()->Session()->Categories()->Add("Kelo", 9);
    world.Machine().StartClient();
    EXPECT_TRUE(Globals::OutlookIfRunning());
    EXPECT_EQ(world.Outlook()->Session()->Categories()->Item("Kelo")->Color(), 9);
}

TEST(ConnectionTest, OutlookClosedDropsTheRegistryAndTheTimerReattaches) {
    AddinWorld world(AddinWorld::Options{.outlookRunning = true, .start = true});
    world.TheAddin()->AddObject(std::make_shared<Dictionary>());
    ASSERT_EQ(Globals::EventListenerCount(), 1);

    world.Outlook()->Quit();
    EXPECT_FALSE(Globals::IsOutlookRunning());
    EXPECT_TRUE(world.Logged("Globals - IsOutlookRunning = False, Err.Number = "));
    EXPECT_EQ(Globals::EventListenerCount(), 0);
    EXPECT_FALSE(Globals::OutlookIfRunning());  // never started by the add-in

    world.Machine().StartOutlook();
    const auto setups = world.TimesLogged("Globals - SetupEventListeners");
    world.User().AdvanceTime(kConnectionTimerInterval);
    EXPECT_TRUE(SameObject(Globals::OutlookIfRunning(), world.Outlook()));
    EXPECT_EQ(world.TimesLogged("Globals - SetupEventListeners"), setups + 1);
}

TEST(ConnectionTest, OutlookIsStartedWhenNeeded) {
    AddinWorld world(AddinWorld::Options{.start = true});
    ASSERT_FALSE(world.Outlook());
    const auto outlook = Globals::Outlook();
    ASSERT_TRUE(outlook);
    EXPECT_TRUE(world.Logged("Globals - Starting Outlook"));
    EXPECT_TRUE(SameObject(outlook, world.Outlook()));
}

TEST(ConnectionTest, FailingToStartOutlookRaisesTheRecommendation) {
    AddinWorld world(AddinWorld::Options{.start = true});
    world.Machine().Factory().Unregister(kOutlookProgID);
    try {
        Globals::ConnectToOutlook(true);
        FAIL();
    } catch (const ComError& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.Number()), 0x80040000u);
        EXPECT_EQ(error.Source(), kTitle);
        EXPECT_EQ(error.Description().substr(0, 33), "Failed to connect to Outlook.\r\n\r\n");
        EXPECT_NE(error.Description().find("\r\n\t- Corrupted machine-level installation"), std::string::npos);
    }
    EXPECT_TRUE(world.Logged("Globals - ConnectToOutlook - Failed: "));
    EXPECT_FALSE(Globals::OutlookIfRunning());
}

TEST(ConnectionTest, StartOutlookRunsTheProgramOrReportsWhy) {
    {
        AddinWorld world;
        world.TheAddin()->StartOutlook();
        EXPECT_TRUE(world.Outlook());
    }
    AddinWorld world;
    world.Machine().System().ProgramTable().Register("Outlook.exe", [](const std::vector<std::string>&) -> std::int32_t {
        throw ComError(static_cast<std::int32_t>(0x80070002u), "WshShell.Run", "The system cannot find the file specified.");
    });
    world.TheAddin()->StartOutlook();
    ASSERT_EQ(world.Kelo().Boxes().History().size(), 1u);
    EXPECT_NE(world.Kelo().Boxes().History()[0].text.find("Source: Addin.StartOutlook"), std::string::npos);
}

TEST(ConnectionTest, StartUpSynchronizationConnectsAndHandsTheScriptOver) {
    AddinWorld world;
    Globals::Options()->SetSynchronizationUser(world.Kelo().ActiveUser()->Record()->ID());
    std::vector<std::string> failures;
    Connection failed = world.Kelo().ScriptFailed.Connect([&](const ComError& error) { failures.push_back(error.Description()); });
    world.Machine().StartClient();
    EXPECT_TRUE(world.Outlook());  // started, since synchronization needs it
    // The script ran in the client's engine and made the start-up synchronizer run.
    EXPECT_TRUE(failures.empty());
    EXPECT_TRUE(world.Logged("StartupSynchronizer - Synchronize"));
}

TEST(ConnectionTest, WithoutSynchronizationTheScriptIsNotHandedOver) {
    AddinWorld world;
    Globals::Options()->SetSynchronizeAtStartup(true);
    std::size_t failures = 0;
    Connection failed = world.Kelo().ScriptFailed.Connect([&](const ComError&) { ++failures; });
    world.Machine().StartClient();
    EXPECT_FALSE(world.Outlook());
    EXPECT_EQ(failures, 0u);
}

}  // namespace
}  // namespace ostrellix::addin
