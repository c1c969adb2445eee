#include <gtest/gtest.h>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IUser.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/IDispatch.h"
#include "sync/Synchronizer.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::addin {
namespace {

using testing::AddinWorld;

// The three ways a whole run starts besides the options dialog: the
// start-up script, Addin.Synchronize and the client's shutdown. Outlook
// runs and holds an appointment whose to-do then moved in Kelo.
class SynchronizationEntryTest : public ::testing::Test {
protected:
    AddinWorld world{{.outlookRunning = true}};
    Ptr<Synchronizer> sync = Globals::Synchronizer();
    Ptr<kelo::IRecord> todo;
    std::string entryId;

    void SetUp() override {
        const auto application = Globals::Application();
        const std::int32_t me = application->ActiveUser()->Record()->ID();
        Globals::Options()->SetSynchronizationUser(me);
        todo = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
        todo->New(application->Classes()->FindByName("todo"));
        todo->SetValue("subject", "Fair");
        todo->SetValue("start", Date::FromParts(2024, 5, 6, 9));
        todo->SetValue("end", Date::FromParts(2024, 5, 6, 10));
        todo->SetValue("responsible", me);
        todo->Update();
        const auto item = sync->CreateItemFromRecord(todo);
        sync->UpdateItemFromRecord(item, todo);
        item->Save();
        sync->EnableSynchronization(item, todo);
        entryId = item->EntryID();
        todo->SetValue("location", "Hall C");
        todo->Update();
    }
    std::string Location() {
        return Cast<outlook::IAppointmentItem>(world.Outlook()->Session()->GetItemFromID(entryId))->Location();
    }
    void BreakThePair() {
        const auto item = world.Outlook()->Session()->GetItemFromID(entryId);
        sync->SetItemProperty(item, "KeloChecksum", "x");
        item->Save();
    }
};

TEST_F(SynchronizationEntryTest, TheStartupScriptRunsAFullSynchronizationThroughTheScriptEngine) {
    world.Machine().StartClient();
    EXPECT_EQ(Location(), "Hall C");
    for (const char* line : {"StartupSynchronizer - Initialize - RunningInUserContex = True",
                             "StartupSynchronizer - Synchronize", "Synchronizer - Starting synchronization, full:True",
                             "StartupSynchronizer - Terminate"}) {
        EXPECT_TRUE(world.Logged(line)) << line;
    }
    EXPECT_TRUE(world.Kelo().Dialogs()->Reports().empty());
    EXPECT_TRUE(Globals::IsConnectedToApplication());  // a session's globals stay

    BreakThePair();
    world.Kelo().RunScript(Addin::StartupScript(), false);
    EXPECT_TRUE(world.Logged("StartupSynchronizer - Synchronize - Failed: The item's KeloChecksum \"x\""));
    EXPECT_TRUE(world.Kelo().Boxes().History().empty());
}

TEST_F(SynchronizationEntryTest, OutsideASessionTheStartupSynchronizerConnectsAndReleasesTheGlobals) {
    Globals::ReleaseCachedObjects();
    {
        const auto startup = Cast<IDispatch>(world.Machine().Factory().Create("KeloOstrellix.StartupSynchronizer"));
        EXPECT_TRUE(world.Logged("StartupSynchronizer - Initialize - RunningInUserContex = False"));
        startup->Invoke("Application", InvokeKind::PropertyPutRef, {Variant(world.Machine().Kelo().App())});
        EXPECT_TRUE(Globals::IsConnectedToApplication());
        startup->Invoke("Synchronize", InvokeKind::Method, {});
    }
    EXPECT_EQ(Location(), "Hall C");
    EXPECT_FALSE(Globals::IsConnectedToApplication());
}

TEST_F(SynchronizationEntryTest, AddinSynchronizeRunsWithoutADialogAndReportsAFailure) {
    world.TheAddin()->Synchronize();
    EXPECT_EQ(Location(), "Hall C");
    EXPECT_TRUE(world.Logged("Synchronizer - Starting synchronization, full:False"));
    EXPECT_TRUE(world.Kelo().Dialogs()->Reports().empty());

    BreakThePair();
    world.TheAddin()->Synchronize();
    ASSERT_EQ(world.Kelo().Boxes().History().size(), 1u);
    EXPECT_NE(world.Kelo().Boxes().History()[0].text.find("Source: Addin.Synchronize"), std::string::npos);
}

TEST_F(SynchronizationEntryTest, TheClientsShutdownRunsAFullSynchronizationInTheDialogWhenAsked) {
    Globals::Options()->SetSynchronizeAtShutdown(true);
    world.Client().Shutdown();
    ASSERT_EQ(world.Kelo().Dialogs()->Reports().size(), 1u);
    EXPECT_EQ(world.Kelo().Dialogs()->Reports()[0].caption, "Synchronizing with Outlook");
    EXPECT_TRUE(world.Logged("Synchronizer - Starting synchronization, full:True"));
    EXPECT_EQ(Location(), "Hall C");
}

TEST_F(SynchronizationEntryTest, WithoutTheOptionTheShutdownRunsNothing) {
    world.Client().Shutdown();
    EXPECT_TRUE(world.Kelo().Dialogs()->Reports().empty());
    EXPECT_EQ(Location(), "");
}

}  // namespace
}  // namespace ostrellix::addin
