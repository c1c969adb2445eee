#include <gtest/gtest.h>

#include "contracts/outlook/IMailItem.h"
#include "standins/outlook/Errors.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;

class WindowTest : public OutlookFixture {
protected:
    Ptr<office::ICommandBarButton> AddButton(const Ptr<ol::IInspector>& inspector, const std::string& tag) {
        auto button = inspector->CommandBars()->Item("Standard")->AddButton(true);
        button->SetCaption("Save in Kelo");
        button->SetTag(tag);
        button->SetStyle(office::msoButtonIconAndCaption);
        button->SetFaceId(3);
        return button;
    }
};

TEST_F(WindowTest, ButtonsAreFoundByTagClickedAndGoneWithTheirWindow) {
    const auto inspector = user->OpenNew(ol::olMailItem);
    auto bar = inspector->CommandBars()->Item("standard");
    ASSERT_TRUE(bar);
    EXPECT_FALSE(inspector->CommandBars()->Item("Ribbon"));
    EXPECT_FALSE(bar->FindControl("SaveMailToKelo"));
    auto button = AddButton(inspector, "SaveMailToKelo");
    AddButton(inspector, "InsertLinkButton");
    EXPECT_TRUE(SameObject(bar->FindControl("SaveMailToKelo"), button));

    int clicks = 0;
    Connection onClick = button->Events().Click.Connect([&](const Ptr<office::ICommandBarButton>& clicked, bool&) {
        ++clicks;
        EXPECT_TRUE(SameObject(clicked, button));
    });
    user->Click(inspector, "SaveMailToKelo");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ErrorOf([&] { user->Click(inspector, "NoSuchTag"); }), errors::kNotFound);

    bar->FindControl("InsertLinkButton")->Delete();
    EXPECT_FALSE(bar->FindControl("InsertLinkButton"));
    EXPECT_EQ(bar->ControlCount(), 1);
    EXPECT_EQ(ErrorOf([&] { bar->AddButton(false); }), errors::kNotAvailable);

    // Another window's button of the same tag is its own.
    const auto other = user->OpenNew(ol::olMailItem);
    AddButton(other, "SaveMailToKelo");
    user->Click(other, "SaveMailToKelo");
    EXPECT_EQ(clicks, 1);
    user->Click(inspector, "SaveMailToKelo");
    EXPECT_EQ(clicks, 2);

    // The window closes: its temporary buttons go, and what still holds one finds it deleted.
    bool buttonAliveAtClose = false;
    Connection onClose = inspector->Events().Close.Connect([&] { buttonAliveAtClose = !button->Tag().empty(); });
    user->Close(inspector, false);
    EXPECT_TRUE(buttonAliveAtClose) << "handlers of Close may still delete their buttons";
    EXPECT_EQ(bar->ControlCount(), 0);
    EXPECT_EQ(ErrorOf([&] { button->Caption(); }), errors::kFailed);
    EXPECT_EQ(ErrorOf([&] { button->Delete(); }), errors::kFailed);
}

TEST_F(WindowTest, ActivatingAnotherWindowDeactivatesTheActiveInspector) {
    const auto first = user->OpenNew(ol::olMailItem);
    int deactivated = 0;
    Connection onDeactivate = first->Events().Deactivate.Connect([&] { ++deactivated; });
    const auto second = user->OpenNew(ol::olTaskItem);
    EXPECT_EQ(deactivated, 1);
    EXPECT_TRUE(SameObject(outlook->ActiveInspector(), second));
    EXPECT_EQ(outlook->Inspectors()->Count(), 2);
    first->Activate();
    EXPECT_TRUE(SameObject(outlook->ActiveInspector(), first));
    user->OpenExplorer(Folder(ol::olFolderInbox));
    EXPECT_EQ(deactivated, 2);
    EXPECT_TRUE(SameObject(outlook->ActiveInspector(), first)) << "the last inspector shown stays the active one";
}

TEST_F(WindowTest, AnInspectorMadeBeforeDisplayIsAnnouncedFirst) {
    std::vector<std::string> order;
    Connection onNew = outlook->Inspectors()->Events().NewInspector.Connect(
        [&](const Ptr<ol::IInspector>&) { order.push_back("NewInspector"); });
    auto item = outlook->CreateItem(ol::olAppointmentItem);
    Connection onOpen = item->Events().Open.Connect([&](bool&) { order.push_back("Open"); });
    const auto inspector = item->GetInspector();
    EXPECT_FALSE(outlook->ActiveInspector()) << "not displayed yet";
    EXPECT_TRUE(SameObject(item->GetInspector(), inspector));
    item->Display(false);
    EXPECT_EQ(order, (std::vector<std::string>{"NewInspector", "Open"}));
    EXPECT_TRUE(SameObject(outlook->ActiveInspector(), inspector));
    // A cancelled Open keeps the window from showing.
    auto other = outlook->CreateItem(ol::olTaskItem);
    Connection veto = other->Events().Open.Connect([](bool& cancel) { cancel = true; });
    other->Display(false);
    EXPECT_EQ(outlook->Inspectors()->Count(), 1);
}

TEST_F(WindowTest, ExplorersShowFoldersSelectionsAndInlineReplies) {
    std::vector<std::string> log;
    Connection onNew = outlook->Explorers()->Events().NewExplorer.Connect(
        [&](const Ptr<ol::IExplorer>& explorer) { log.push_back("NewExplorer(" + explorer->Caption() + ")"); });
    const auto mail = user->Receive({"Dan Kund", "dan@kund.example", "Offer", "Hello", "", {}, {}, {}});
    const auto explorer = user->OpenExplorer(Folder(ol::olFolderInbox));
    EXPECT_EQ(explorer->CurrentFolder()->Name(), "Inbox");
    EXPECT_TRUE(SameObject(outlook->ActiveExplorer(), explorer));
    Connection onSwitch = explorer->Events().FolderSwitch.Connect([&] { log.push_back("FolderSwitch"); });
    Connection onInline = explorer->Events().InlineResponse.Connect(
        [&](const Ptr<ol::IItem>& item) { log.push_back("InlineResponse(" + item->Subject() + ")"); });
    Connection onClose = explorer->Events().Close.Connect([&] { log.push_back("Close"); });

    user->Select(explorer, {mail});
    ASSERT_EQ(explorer->Selection()->Count(), 1);
    EXPECT_TRUE(SameObject(explorer->Selection()->Item(1), mail));
    EXPECT_FALSE(explorer->ActiveInlineResponse());
    const auto reply = user->WriteInline(explorer, mail, SimulatedUser::Answer::Reply);
    EXPECT_TRUE(SameObject(explorer->ActiveInlineResponse(), reply));
    EXPECT_EQ(reply->To(), "Dan Kund");
    explorer->SetCurrentFolder(Folder(ol::olFolderCalendar));
    EXPECT_EQ(explorer->Selection()->Count(), 0);
    explorer->Close();
    EXPECT_FALSE(outlook->ActiveExplorer());
    EXPECT_EQ(log, (std::vector<std::string>{"NewExplorer(Inbox - anna.berg@ostrellix.example - Outlook)",
                                             "InlineResponse(RE: Offer)", "FolderSwitch", "Close"}));
}

TEST_F(WindowTest, FoldersHaveViewsThatKeepTheirChanges) {
    const auto calendar = Folder(ol::olFolderCalendar);
    const auto views = calendar->Views();
    ASSERT_GE(views->Count(), 2);
    const auto view = views->Item("calendar");
    ASSERT_TRUE(view);
    EXPECT_EQ(view->ViewType(), ol::olCalendarView);
    EXPECT_EQ(view->CalendarViewMode(), ol::olCalendarViewDay);
    view->SetCalendarViewMode(ol::olCalendarViewMonth);
    EXPECT_NE(view->XML().find("<mode>2</mode>"), std::string::npos);
    view->SetXML("<view type=\"calendar\"><viewname>Calendar</viewname><mode>4</mode></view>");
    EXPECT_EQ(view->CalendarViewMode(), ol::olCalendarView5DayWeek);
    EXPECT_EQ(ErrorOf([&] { view->SetXML("<view><mode>"); }), errors::kInvalidArgument);
    EXPECT_EQ(view->CalendarViewMode(), ol::olCalendarView5DayWeek) << "a bad definition changes nothing";
    EXPECT_EQ(ErrorOf([&] { view->SetCalendarViewMode(7); }), errors::kInvalidArgument);
    const auto list = views->Item("List");
    EXPECT_EQ(list->ViewType(), ol::olTableView);
    EXPECT_EQ(ErrorOf([&] { list->CalendarViewMode(); }), errors::kFailed);
    EXPECT_EQ(Folder(ol::olFolderInbox)->Views()->Item(1)->ViewType(), ol::olTableView);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
