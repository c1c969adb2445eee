#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "contracts/outlook/Constants.h"
#include "contracts/win/IShell.h"
#include "contracts/outlook/IItem.h"
#include "core/Addin.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/Dictionary.h"
#include "runtime/IDispatch.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/MapiSessionDouble.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using ostrellix::testing::Raised;

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

// Without Outlook it is 14: HostCommandsTest asks the add-in for it then.
TEST(ConnectionTest, MajorVersionComesFromOutlook) {
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
    const auto listeners = Globals::EventListenerCount();  // the mail listener and one per explorer
    ASSERT_GT(listeners, 0);
    world.TheAddin()->AddObject(std::make_shared<Dictionary>());
    ASSERT_EQ(Globals::EventListenerCount(), listeners + 1);

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
    EXPECT_EQ(Globals::EventListenerCount(), listeners);
}

TEST(ConnectionTest, FailingToStartOutlookRaisesTheRecommendation) {
    AddinWorld world(AddinWorld::Options{.start = true});
    world.Machine().Factory().Unregister(kOutlookProgID);
    const auto error = Raised([&] { Globals::ConnectToOutlook(true); });
    ASSERT_TRUE(error);
    EXPECT_EQ(static_cast<std::uint32_t>(error->Number()), 0x80040000u);
    EXPECT_EQ(error->Source(), kTitle);
    EXPECT_EQ(error->Description(),
              "Failed to connect to Outlook.\r\n"
              "\r\n"
              "Recommendation: Verify that MS Outlook (Classic) is fully installed and accessible via COM "
              "(Outlook.Application). \r\n"
              "\r\n"
              "Common problems:\r\n"
              "\t- MS Outlook (Classic) was not included in currently installed distribution of MS Office.\r\n"
              "\t- Corrupted machine-level installation and obsolete (roaming) user-level registrations.");
    EXPECT_TRUE(world.Logged("Globals - ConnectToOutlook - Failed: "));
    EXPECT_FALSE(Globals::OutlookIfRunning());
}

// Started by name, the program runs: MenuCommandsLateBindingTest.
TEST(ConnectionTest, StartOutlookReportsWhyTheProgramDidNotRun) {
    AddinWorld world;
    world.Machine().System().ProgramTable().Register("Outlook.exe", [](const std::vector<std::string>&) -> std::int32_t {
        throw ComError(static_cast<std::int32_t>(0x80070002u), "WshShell.Run", "The system cannot find the file specified.");
    });
    world.TheAddin()->StartOutlook();
    ASSERT_EQ(world.Kelo().Boxes().History().size(), 1u);
    EXPECT_NE(world.Kelo().Boxes().History()[0].text.find("Source: Addin.StartOutlook"), std::string::npos);
}

// Takes the place of the start-up synchronizer the script asks for, and
// notes what the script does with it.
class ScriptedSynchronizer : public IDispatch {
public:
    explicit ScriptedSynchronizer(std::vector<std::string>& calls) : calls_(calls) {}
    ~ScriptedSynchronizer() override { calls_.push_back("released"); }

    Variant Invoke(std::string_view member, InvokeKind kind, const std::vector<Variant>& arguments) override {
        std::string call(member);
        if (kind == InvokeKind::PropertyPutRef) {
            call += SameObject(arguments.at(0).ToObject(), Globals::Application()) ? " = Application" : " = ?";
        }
        calls_.push_back(call);
        return {};
    }

private:
    std::vector<std::string>& calls_;
};

TEST(ConnectionTest, TheStartUpScriptRunsOnlyWhenSynchronizationIsOnAndWantedAtStartUp) {
    struct Case {
        bool synchronizationUser, atStartup;
    };
    for (const Case c : {Case{true, true}, Case{true, false}, Case{false, true}}) {
        std::vector<std::string> calls;
        AddinWorld world;
        world.Machine().Factory().Register("KeloOstrellix.StartupSynchronizer",
                                           [&calls] { return std::make_shared<ScriptedSynchronizer>(calls); });
        Globals::Options()->SetSynchronizationUser(c.synchronizationUser ? world.Kelo().ActiveUser()->Record()->ID() : 0);
        Globals::Options()->SetSynchronizeAtStartup(c.atStartup);
        world.Machine().StartClient();

        const bool handed = c.synchronizationUser && c.atStartup;
        const std::vector<std::string> expected{"Application = Application", "Synchronize", "released"};
        EXPECT_EQ(calls, handed ? expected : std::vector<std::string>{}) << c.synchronizationUser << c.atStartup;
        EXPECT_EQ(world.Outlook() != nullptr, handed);  // started only for the synchronization
    }
    EXPECT_EQ(Addin::StartupScript(),
              "Dim SynchronizerX\r\n"
              "Set SynchronizerX = CreateObject(\"KeloOstrellix.StartupSynchronizer\")\r\n"
              "Set SynchronizerX.Application = Application\r\n"
              "SynchronizerX.Synchronize\r\n"
              "Set SynchronizerX = Nothing\r\n");
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

TEST(RedemptionTest, TheSessionLogsOnWithOutlooksOwnSessionOnce) {
    AddinWorld world(AddinWorld::Options{.start = true});
    ASSERT_FALSE(world.Outlook());
    const auto session = Globals::Redemption();
    ASSERT_TRUE(world.Outlook());  // started for it
    EXPECT_TRUE(world.Logged("Globals - Starting Outlook"));
    EXPECT_TRUE(session->LoggedOn());
    const auto item = world.Outlook()->CreateItem(outlook::olTaskItem);
    item->SetSubject("Seen by both");
    item->Save();
    EXPECT_EQ(session->GetMessageFromID(item->EntryID())->Subject(), "Seen by both");

    EXPECT_TRUE(SameObject(Globals::Redemption(), session));
    EXPECT_EQ(world.TimesLogged("Globals - ConnectToRedemption"), 1u);

    world.Outlook()->Quit();
    EXPECT_FALSE(Globals::IsRedemptionRunning());
    EXPECT_TRUE(world.Logged("Globals - IsRedemptionRunning = False, Err.Description = "));
}

TEST(RedemptionTest, ASessionRunsWhileAPropertyOfItCanBeRead) {
    AddinWorld world(AddinWorld::Options{.outlookRunning = true, .start = true});
    const auto session = std::make_shared<::testing::NiceMock<testing::MapiSessionDouble>>();
    world.Machine().Factory().Register("ZQOutRed.ZQRDOSession", [session] { return session; });
    ON_CALL(*session, LoggedOn()).WillByDefault(::testing::Return(false));

    EXPECT_TRUE(SameObject(Globals::Redemption(), session));
    EXPECT_TRUE(Globals::IsRedemptionRunning());  // not logged on, but it answers
    EXPECT_EQ(world.TimesLogged("Globals - ConnectToRedemption"), 1u);

    ON_CALL(*session, LoggedOn()).WillByDefault(::testing::Throw(ComError(5, "ZQOutRed", "The session is gone")));
    EXPECT_FALSE(Globals::IsRedemptionRunning());
    EXPECT_TRUE(world.Logged("Globals - IsRedemptionRunning = False, Err.Description = The session is gone"));
    EXPECT_TRUE(SameObject(Globals::Redemption(), session));  // connected anew
    EXPECT_EQ(world.TimesLogged("Globals - ConnectToRedemption"), 2u);
}

}  // namespace
}  // namespace ostrellix::addin
