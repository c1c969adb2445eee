#include <gmock/gmock.h>

#include "contracts/kelo/IImage.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/MenuCommands.h"
#include "tests/support/MapiSessionDouble.h"
#include "tests/ui/UiFixture.h"
#include "ui/OutlookView.h"

namespace ostrellix::addin {
namespace {

namespace ol = outlook;
using standin::kelo::MenuCommands;

class FolderPanesTest : public UiFixture {
protected:
    void AddPanes() { MenuCommands(world_.Client()).CallAddin("AddFolderPanes"); }
    void RemovePanes() { MenuCommands(world_.Client()).CallAddin("RemoveFolderPanes"); }
};

TEST_F(FolderPanesTest, EachResolvableFolderBecomesAPaneInListOrder) {
    const auto tasks = DefaultFolder(ol::olFolderTasks);
    const auto custom = DefaultFolder(ol::olFolderInbox)->Folders()->Add("Projects", ol::olMailItem);
    const auto contacts = DefaultFolder(ol::olFolderContacts);
    Globals::Options()->SetPanes({tasks->EntryID(), Gone(), custom->EntryID(), contacts->EntryID()});

    AddPanes();

    ASSERT_EQ(Captions(), (std::vector<std::string>{"Tasks", "Projects", "Contacts"}));
    const auto pane = Panes()->Item(1);
    EXPECT_EQ(pane->ControlProgID(), "KeloOstrellix.OutlookView");
    EXPECT_EQ(pane->Style(), 12);
    EXPECT_TRUE(pane->Property("OutlookPane").ToBoolean());
    ASSERT_TRUE(pane->Icon());
    EXPECT_EQ(pane->Icon()->Name(), "TASK");
    EXPECT_EQ(pane->Icon()->Width(), 24);
    EXPECT_EQ(Panes()->Item(2)->Icon()->Name(), "MAIL");
    EXPECT_EQ(Panes()->Item(3)->Icon()->Name(), "CONTACT");
    const auto view = Cast<OutlookView>(pane->Control());
    EXPECT_EQ(view->Folder()->EntryID(), tasks->EntryID());
    EXPECT_EQ(view->ViewControl()->Folder(), tasks->FolderPath());
    EXPECT_TRUE(Boxes().empty()) << "a folder that is gone is passed over in silence";
}

TEST_F(FolderPanesTest, AFolderOutlookDoesNotFindIsAskedForOnceMoreThroughTheMapiLibrary) {
    const auto session = std::make_shared<::testing::NiceMock<testing::MapiSessionDouble>>();
    world_.Machine().Factory().Register("ZQOutRed.ZQRDOSession", [session] { return session; });
    ASSERT_TRUE(SameObject(Globals::Redemption(), session));
    EXPECT_CALL(*session, GetFolderFromID(::testing::Eq(Gone())))
        .WillOnce(::testing::Throw(ComError(-2147221233, "ZQOutRed", "The folder does not exist.")));
    EXPECT_CALL(*session, GetFolderFromID(::testing::Ne(Gone()))).Times(0);
    Globals::Options()->SetPanes({Gone(), EntryID(ol::olFolderCalendar)});

    AddPanes();
    EXPECT_EQ(Captions(), std::vector<std::string>{"Calendar"});
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FolderPanesTest, WithoutA32BitOfficeNoPaneIsMade) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar)});
    world_.Kelo().SetValue("OfficeIs32Bit", Variant(false));
    AddPanes();
    EXPECT_EQ(Panes()->Count(), 0);
}

TEST_F(FolderPanesTest, RemovingTakesOnlyTheAddinsOwnPanes) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar), EntryID(ol::olFolderInbox)});
    Panes()->Add("Someone else's", nullptr, "QVR.Properties", 0);
    AddPanes();
    Panes()->Add("Marked false", nullptr, "QVR.Properties", 0)->SetProperty("OutlookPane", Variant(false));
    ASSERT_EQ(Panes()->Count(), 4);

    RemovePanes();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Someone else's", "Marked false"}));
}

// The client as it starts with a pane list stored: the add-in adds its panes.
void StartWithCalendarPane(testing::AddinWorld& world) {
    world.Machine().LoadAddin();
    Globals::Options()->SetPanes({world.Outlook()->Session()->GetDefaultFolder(ol::olFolderCalendar)->EntryID()});
    world.Machine().StartClient();
    ASSERT_EQ(world.Kelo().Panes()->Count(), 1);
    EXPECT_EQ(world.Kelo().Panes()->Item(1)->Caption(), "Calendar");
}

TEST(FolderPanesLifecycleTest, ClosingTheClientKeepsThePanesAndUnloadingTakesThemAway) {
    {
        testing::AddinWorld closing(testing::AddinWorld::Options{.loadAddin = false, .outlookRunning = true});
        ASSERT_NO_FATAL_FAILURE(StartWithCalendarPane(closing));
        closing.Client().Shutdown();
        EXPECT_EQ(closing.Kelo().Panes()->Count(), 1);
    }
    testing::AddinWorld unloading(testing::AddinWorld::Options{.loadAddin = false, .outlookRunning = true});
    ASSERT_NO_FATAL_FAILURE(StartWithCalendarPane(unloading));
    unloading.Client().UnloadAddin("KeloOstrellix.Addin");
    EXPECT_EQ(unloading.Kelo().Panes()->Count(), 0);
}

}  // namespace
}  // namespace ostrellix::addin
