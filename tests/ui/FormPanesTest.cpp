#include "core/Tools.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/ui/UiFixture.h"
#include "ui/FormPanes.h"

namespace ostrellix::addin {
namespace {

namespace ol = outlook;
using Plan = standin::system::FormHost::Plan;

class FormPanesTest : public UiFixture {
protected:
    // The dialog as the person planned to work it; what it showed when it closed.
    standin::system::FormHost::Shown Run(Plan plan) {
        world_.System().Forms().PlanNext("FormPanes", std::move(plan));
        std::make_shared<FormPanes>()->Show();
        return world_.System().Forms().History().back();
    }
    std::string Path(std::int32_t type) { return DefaultFolder(type)->FolderPath(); }
    std::vector<std::string> Stored() { return Globals::Options()->Panes(); }
};

TEST_F(FormPanesTest, TheListAndTheCheckBoxesShowTheStoredPanes) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar), Gone(), EntryID(ol::olFolderInbox)});
    const auto shown = Run([](win::IForm&) {});

    EXPECT_EQ(Find(shown, "CtrlList").list,
              (std::vector<std::string>{Path(ol::olFolderCalendar), Path(ol::olFolderInbox)}));
    EXPECT_EQ(Find(shown, "CtrlShowCalendarPane").value.ToLong(), 1);
    EXPECT_EQ(Find(shown, "CtrlShowInboxPane").value.ToLong(), 1);
    EXPECT_EQ(Find(shown, "CtrlShowTasksPane").value.ToLong(), 0);
    EXPECT_EQ(Find(shown, "CtrlShowContactsPane").value.ToLong(), 0);
    EXPECT_EQ(shown.caption, Tools::GetText("FormPanes.Caption"));
    EXPECT_EQ(Find(shown, "CtrlMoveUp").caption, Tools::GetText("FormPanes.MoveUp"));
    EXPECT_NE(Find(shown, "CtrlMoveUp").caption, "FormPanes.MoveUp");
    // Nothing selected: nothing to delete or move up; "below the last index" still offers Move down.
    EXPECT_FALSE(Find(shown, "CtrlDelete").enabled);
    EXPECT_FALSE(Find(shown, "CtrlMoveUp").enabled);
    EXPECT_TRUE(Find(shown, "CtrlMoveDown").enabled);
    EXPECT_TRUE(shown.closedByHost);
    EXPECT_EQ(Stored().size(), 3u) << "closed without OK: nothing stored";
}

TEST_F(FormPanesTest, FoldersAddedAndTickedShowAtOnceWhileThePaneBarIsShown) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderInbox)});
    world_.Kelo().Panes()->Add("Someone else's", nullptr, "QVR.Properties", 0);
    standin::outlook::SimulatedUser outlookUser(world_.Outlook());
    outlookUser.WillPickFolder(DefaultFolder(ol::olFolderTasks));
    outlookUser.WillPickFolder(DefaultFolder(ol::olFolderInbox));  // listed already
    outlookUser.WillCancelFolderPicker();

    const auto shown = Run([](win::IForm& form) {
        form.Click("CtrlAdd");
        form.Click("CtrlAdd");
        form.Click("CtrlAdd");
        form.Click("CtrlShowCalendarPane");
        form.Click("CtrlOK");
    });

    EXPECT_FALSE(shown.closedByHost);
    EXPECT_EQ(Find(shown, "CtrlShowTasksPane").value.ToLong(), 1) << "a folder added by the picker ticks its box";
    EXPECT_EQ(Stored(), (std::vector<std::string>{EntryID(ol::olFolderInbox), EntryID(ol::olFolderTasks),
                                                  EntryID(ol::olFolderCalendar)}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Someone else's", "Inbox", "Tasks", "Calendar"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormPanesTest, DeletingAndMovingKeepASelectionThatCanBeActedOn) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderInbox), EntryID(ol::olFolderCalendar),
                                  EntryID(ol::olFolderTasks), EntryID(ol::olFolderContacts)});
    std::vector<std::string> afterDeletes;
    bool upOfferedAtTop = true, downOfferedAtBottom = true;
    const auto shown = Run([&](win::IForm& form) {
        form.Choose("CtrlList", 0);
        upOfferedAtTop = form.State("CtrlMoveUp").enabled;
        form.Click("CtrlMoveDown");  // Calendar, Inbox, Tasks, Contacts; Inbox stays selected
        form.Choose("CtrlList", 3);
        downOfferedAtBottom = form.State("CtrlMoveDown").enabled;
        form.Click("CtrlMoveUp");  // Calendar, Inbox, Contacts, Tasks
        form.Choose("CtrlList", 1);
        form.Click("CtrlDelete");  // the entry now at 1 is selected: Contacts
        afterDeletes.push_back(form.State("CtrlList").Text());
        form.Choose("CtrlList", 2);
        form.Click("CtrlDelete");  // the last went: the new last is selected
        afterDeletes.push_back(form.State("CtrlList").Text());
        form.Click("CtrlOK");
    });

    EXPECT_FALSE(upOfferedAtTop);
    EXPECT_FALSE(downOfferedAtBottom);
    EXPECT_EQ(afterDeletes, (std::vector<std::string>{Path(ol::olFolderContacts), Path(ol::olFolderContacts)}));
    EXPECT_EQ(Find(shown, "CtrlShowInboxPane").value.ToLong(), 1) << "deleting leaves the boxes as they were";
    EXPECT_EQ(Stored(), (std::vector<std::string>{EntryID(ol::olFolderCalendar), EntryID(ol::olFolderContacts)}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Calendar", "Contacts"}));
}

TEST_F(FormPanesTest, UntickingTakesTheFolderOffAndEmptyingTheListRemovesThePanesWithoutAsking) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar)});
    Globals::Addin()->AddFolderPanes();
    world_.Kelo().Panes()->Add("Someone else's", nullptr, "QVR.Properties", 0);
    SetPaneBarShown(false);

    std::int32_t selectionAfterUntick = 0;
    Run([&](win::IForm& form) {
        form.Choose("CtrlList", 0);
        form.Click("CtrlShowCalendarPane");
        selectionAfterUntick = form.State("CtrlList").listIndex;
        form.Click("CtrlOK");
    });

    EXPECT_EQ(selectionAfterUntick, -1);
    EXPECT_TRUE(Stored().empty());
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Someone else's"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(FormPanesTest, AChangedListWhileThePaneBarIsHiddenWaitsForARestart) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar)});
    Globals::Addin()->AddFolderPanes();
    SetPaneBarShown(false);

    Run([](win::IForm& form) {
        form.Click("CtrlShowContactsPane");
        form.Click("CtrlOK");
    });

    EXPECT_EQ(Stored(), (std::vector<std::string>{EntryID(ol::olFolderCalendar), EntryID(ol::olFolderContacts)}));
    EXPECT_EQ(Captions(), (std::vector<std::string>{"Calendar"}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, Tools::GetText("FormPanes.RestartRequired"));
    EXPECT_EQ(Boxes()[0].flags, 64);
}

TEST_F(FormPanesTest, CancelStoresNothing) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar)});
    const auto shown = Run([](win::IForm& form) {
        form.Click("CtrlShowInboxPane");
        form.Choose("CtrlList", 0);
        form.Click("CtrlDelete");
        form.Click("CtrlCancel");
    });
    EXPECT_FALSE(shown.closedByHost);
    EXPECT_EQ(Stored(), (std::vector<std::string>{EntryID(ol::olFolderCalendar)}));
    EXPECT_EQ(Panes()->Count(), 0);
}

TEST_F(FormPanesTest, AFailingOKIsReportedWithItsLocationAndTheDialogStaysOpen) {
    Globals::Options()->SetPanes({EntryID(ol::olFolderCalendar)});
    bool stillShown = false;
    const auto shown = Run([&](win::IForm& form) {
        form.Click("CtrlShowTasksPane");
        world_.System().Faults().Arm({"Engine", 1});  // the database refuses the first write
        form.Click("CtrlOK");
        stillShown = form.Visible();
    });
    EXPECT_TRUE(stillShown);
    EXPECT_TRUE(shown.closedByHost);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Source: FormPanes.CtrlOK_Click"), std::string::npos);
    EXPECT_EQ(Stored(), (std::vector<std::string>{EntryID(ol::olFolderCalendar)}));
    EXPECT_EQ(Panes()->Count(), 0);
}

}  // namespace
}  // namespace ostrellix::addin
