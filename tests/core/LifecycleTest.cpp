#include <gtest/gtest.h>

#include "core/Addin.h"
#include "core/AddinConstants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "core/WaitCursor.h"
#include "mail/ItemToXML.h"
#include "sync/StartupSynchronizer.h"
#include "sync/SynchronizationCache.h"
#include "sync/Synchronizer.h"
#include "runtime/Dictionary.h"
#include "standins/translator/Translator.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/SourceTree.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using ostrellix::testing::Raised;

using testing::AddinWorld;

TEST(LifecycleTest, ConnectionLeavesTheAddinWithTheHost) {
    AddinWorld world;
    const auto addin = world.TheAddin();
    ASSERT_TRUE(addin);
    EXPECT_TRUE(world.Logged("Ostrellix - Addin - OnConnection\r\n"));
    EXPECT_TRUE(world.Logged("Globals - ConnectToApplication"));
    EXPECT_EQ(world.Kelo().Value(kInstanceValue).ToObject(), addin);
    EXPECT_EQ(world.Kelo().AddinProgIDs(), std::vector<std::string>{"KeloOstrellix.Addin"});
    // The options sit in the database's settings, in the collection named after the add-in.
    ASSERT_TRUE(Globals::Options());
    Globals::Options()->SetAllowExport(false);
    EXPECT_FALSE(world.Kelo().Database()->Settings()->Child("Ostrellix")->Value("AllowExport").ToBoolean());
    EXPECT_FALSE(world.Logged("ConnectToOutlook"));  // Outlook is left alone until start-up completes
}

TEST(LifecycleTest, TextsFollowTheClientsLanguage) {
    AddinWorld world(AddinWorld::Options{.language = "sv"});
    const auto swedish = standin::translator::Translator::ReadBundle(
        (testing::SourceTree() / "translation" / "Ostrellix.sv.txt").string());
    EXPECT_EQ(Tools::GetText("InternalError"), swedish.at("Text.InternalError"));
}

TEST(LifecycleTest, StartUpWithoutOutlookStartsTheConnectionTimerOnly) {
    AddinWorld world(AddinWorld::Options{.start = true});
    EXPECT_TRUE(world.Logged("Addin - StartUpComplete"));
    EXPECT_TRUE(world.Logged("Globals - Done since Outlook is not running"));
    EXPECT_FALSE(Globals::OutlookIfRunning());

    // Every 30 seconds the timer looks again, never starting Outlook.
    const auto looks = [&] { return world.TimesLogged("Globals - Done since Outlook is not running"); };
    const auto before = looks();
    world.User().AdvanceTime(29000);
    EXPECT_EQ(looks(), before);
    world.User().AdvanceTime(1000);
    EXPECT_EQ(looks(), before + 1);
}

TEST(LifecycleTest, OtherTimersAreNotTheAddins) {
    AddinWorld world(AddinWorld::Options{.start = true});
    const auto lines = world.DebugLines().size();
    world.Kelo().Events().Timer.Raise(kConnectionTimerId + 1);
    EXPECT_EQ(world.DebugLines().size(), lines);
    world.Kelo().Events().Timer.Raise(kConnectionTimerId);
    EXPECT_GT(world.DebugLines().size(), lines);
}

TEST(LifecycleTest, ShutDownAndDisconnectionLetGoOfEverything) {
    AddinWorld world(AddinWorld::Options{.start = true});
    world.Client().Shutdown();
    EXPECT_TRUE(world.Logged("Addin - ShutDown"));
    EXPECT_TRUE(world.Logged("Addin - OnDisconnection"));
    EXPECT_TRUE(world.Logged("Globals - ReleaseCachedObjects"));
    EXPECT_FALSE(Globals::Addin());
    EXPECT_FALSE(Globals::IsConnectedToApplication());
    EXPECT_FALSE(Globals::Options());
    EXPECT_TRUE(world.Kelo().Value(kInstanceValue).IsEmpty());
    // The connection timer is stopped: time passing changes nothing.
    const auto lines = world.DebugLines().size();
    world.User().AdvanceTime(60000);
    EXPECT_EQ(world.DebugLines().size(), lines);
}

// The client creates the add-in's classes by ProgID through its own
// object factory, as scripts do.
TEST(LifecycleTest, EveryClassOfTheAddinIsCreatableByItsProgID) {
    AddinWorld world;
    const auto application = Globals::Application();
    const std::pair<const char*, bool (*)(const ObjectPtr&)> classes[] = {
        {"Addin", [](const ObjectPtr& o) { return Is<Addin>(o); }},
        {"Synchronizer", [](const ObjectPtr& o) { return Is<Synchronizer>(o); }},
        {"Options", [](const ObjectPtr& o) { return Is<Options>(o); }},
        {"WaitCursor", [](const ObjectPtr& o) { return Is<WaitCursor>(o); }},
        {"ItemToXML", [](const ObjectPtr& o) { return Is<ItemToXML>(o); }},
        {"StartupSynchronizer", [](const ObjectPtr& o) { return Is<StartupSynchronizer>(o); }},
        {"SynchronizationCache", [](const ObjectPtr& o) { return Is<SynchronizationCache>(o); }},
    };
    for (const auto& [name, isOfClass] : classes) {
        ObjectPtr created;
        EXPECT_NO_THROW(created = application->CreateObject(std::string("KeloOstrellix.") + name)) << name;
        EXPECT_TRUE(isOfClass(created)) << name;
    }
}

TEST(LifecycleTest, NotConnectedApplicationRaisesTheSystemError) {
    AddinWorld world(AddinWorld::Options{.loadAddin = false});
    const auto error = Raised([&] { Globals::Application(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), kSystemError);
    EXPECT_EQ(error->Source(), kTitle);
    EXPECT_EQ(error->Description(), "Not connected to application");
}

TEST(LifecycleTest, RegistryRemovesByIdentity) {
    AddinWorld world;
    const auto addin = world.TheAddin();
    addin->RemoveObject(std::make_shared<Dictionary>());  // no registry yet: nothing happens
    EXPECT_EQ(Globals::EventListenerCount(), 0);
    auto a = std::make_shared<Dictionary>();
    auto b = std::make_shared<Dictionary>();
    addin->AddObject(a);
    addin->AddObject(b);
    addin->RemoveObject(std::make_shared<Dictionary>());  // equal, not the same: stays
    EXPECT_EQ(Globals::EventListenerCount(), 2);
    addin->RemoveObject(a);
    EXPECT_EQ(Globals::EventListenerCount(), 1);
    // The registry keeps what it holds alive on its own.
    std::weak_ptr<Dictionary> held = b;
    b.reset();
    EXPECT_FALSE(held.expired());
}

TEST(LifecycleTest, SetupEventListenersAfterShutDownLeavesTheRegistryEmpty) {
    AddinWorld world;
    world.TheAddin()->AddObject(std::make_shared<Dictionary>());
    Globals::SetAddin(nullptr);
    Globals::SetupEventListeners();
    EXPECT_EQ(Globals::EventListenerCount(), 0);
    EXPECT_FALSE(world.Logged("Globals - SetupEventListeners"));
}

}  // namespace
}  // namespace ostrellix::addin
