#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/IItem.h"
#include "contracts/outlook/IViews.h"
#include "core/Tools.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/support/Raised.h"
#include "tests/ui/UiFixture.h"
#include "ui/OutlookView.h"

namespace ostrellix::addin {
namespace {

namespace ol = outlook;
using ostrellix::testing::Raised;

class OutlookViewTest : public UiFixture {
protected:
    // The control as the client makes it for a pane, shown on the folder.
    Ptr<OutlookView> ShowFolder(std::int32_t type) {
        auto view = Cast<OutlookView>(world_.Kelo().CreateObject("KeloOstrellix.OutlookView"));
        Cast<IDispatch>(view)->Invoke("Folder", InvokeKind::PropertyPutRef, {Variant(DefaultFolder(type))});
        return view;
    }
    Ptr<kelo::IProperties> Stored(const std::string& folder) {
        return Globals::Options()->Settings()->Child("PaneSettings")->Child(folder);
    }
    static std::string Pressed(OutlookView& view) {
        std::string pressed;
        for (const char* name : {"CtrlDay", "CtrlWeek", "CtrlFullWeek", "CtrlMonth"}) {
            if (view.State(name).value.ToBoolean()) pressed += (pressed.empty() ? "" : "+") + std::string(name);
        }
        return pressed;
    }
    Ptr<ol::IView> CalendarView() { return DefaultFolder(ol::olFolderCalendar)->Views()->Item("Calendar"); }
};

TEST_F(OutlookViewTest, ANewControlShowsNothingUntilItIsGivenAFolderOrAView) {
    const auto view = Cast<OutlookView>(world_.Kelo().CreateObject("KeloOstrellix.OutlookView"));
    EXPECT_EQ(view->ViewControl()->ViewXML(), "<view/>");
    EXPECT_EQ(view->ViewControl()->Folder(), "");
    EXPECT_FALSE(view->CurrentView());

    const auto list = DefaultFolder(ol::olFolderCalendar)->Views()->Item("List");
    Cast<IDispatch>(view)->Invoke("CurrentView", InvokeKind::PropertyPutRef, {Variant(list)});
    EXPECT_EQ(view->ViewControl()->ViewXML(), list->XML());
}

TEST_F(OutlookViewTest, AFolderWithNothingStoredShowsItsFirstViewByDay) {
    const auto view = ShowFolder(ol::olFolderCalendar);

    const auto views = view->State("CtrlViews");
    EXPECT_EQ(views.list, (std::vector<std::string>{"Calendar", "Preview", "List"}));
    EXPECT_EQ(views.Text(), "Calendar");
    EXPECT_EQ(Pressed(*view), "CtrlDay");
    EXPECT_TRUE(view->State("CtrlOptions").enabled);
    EXPECT_EQ(view->State("CtrlMonth").caption, Tools::GetText("OutlookView.Month"));
    EXPECT_EQ(view->State("CtrlViews").fontName, world_.Kelo().FontName());
    EXPECT_EQ(view->ViewControl()->Folder(), DefaultFolder(ol::olFolderCalendar)->FolderPath());
    EXPECT_EQ(view->ViewControl()->ViewXML(), CalendarView()->XML());
    EXPECT_EQ(view->CurrentView()->Name(), "Calendar");
    EXPECT_EQ(Stored("Calendar")->Value("DefaultView").ToString(), "Calendar");
    EXPECT_EQ(Stored("Calendar")->Value("CalendarViewMode").ToLong(), ol::olCalendarViewDay);
}

TEST_F(OutlookViewTest, TheStoredViewAndArrangementComeBack) {
    struct Case {
        std::int32_t stored;
        const char* pressed;
    };
    for (const Case& c : {Case{4, "CtrlWeek"}, Case{1, "CtrlFullWeek"}, Case{2, "CtrlMonth"}, Case{3, "CtrlDay"}}) {
        Stored("Calendar")->SetValue("DefaultView", Variant("Preview"));
        Stored("Calendar")->SetValue("CalendarViewMode", Variant(c.stored));
        const auto view = ShowFolder(ol::olFolderCalendar);
        EXPECT_EQ(view->State("CtrlViews").Text(), "Preview");
        EXPECT_EQ(Pressed(*view), c.pressed) << "stored mode " << c.stored;
        // What is shown is stored again: the unknown arrangement 3 becomes the day.
        EXPECT_EQ(Stored("Calendar")->Value("CalendarViewMode").ToLong(), c.stored == 3 ? 0 : c.stored);
    }
}

TEST_F(OutlookViewTest, ChoosingAViewOrAnArrangementShowsAndKeepsIt) {
    const auto view = ShowFolder(ol::olFolderCalendar);
    view->Click("CtrlMonth");
    EXPECT_EQ(CalendarView()->CalendarViewMode(), ol::olCalendarViewMonth);
    EXPECT_EQ(view->ViewControl()->ViewXML(), CalendarView()->XML());
    EXPECT_EQ(Stored("Calendar")->Value("CalendarViewMode").ToLong(), ol::olCalendarViewMonth);

    view->Choose("CtrlViews", 2);  // List, a table
    // Choosing a view applies it; the calendar buttons follow only when EnableDisable is called.
    EXPECT_TRUE(view->State("CtrlOptions").enabled);
    Cast<IDispatch>(view)->Invoke("EnableDisable", InvokeKind::Method, {});
    EXPECT_FALSE(view->State("CtrlOptions").enabled);
    EXPECT_TRUE(Raised([&] { view->Click("CtrlWeek"); })) << "the calendar buttons are out of reach";
    EXPECT_EQ(Stored("Calendar")->Value("DefaultView").ToString(), "List");
    EXPECT_EQ(Stored("Calendar")->Value("CalendarViewMode").ToLong(), ol::olCalendarViewMonth) << "kept for later";
    EXPECT_EQ(view->ViewControl()->ViewXML(), DefaultFolder(ol::olFolderCalendar)->Views()->Item("List")->XML());

    // Another pane on the same folder starts where this one left off.
    EXPECT_EQ(ShowFolder(ol::olFolderCalendar)->State("CtrlViews").Text(), "List");
}

TEST_F(OutlookViewTest, BeforeOutlook12TheArrangementIsWrittenIntoTheViewsXml) {
    world_.Machine().OutlookProfile().SetVersion("11.0.0.0");
    const auto view = ShowFolder(ol::olFolderCalendar);
    view->Click("CtrlFullWeek");
    EXPECT_EQ(CalendarView()->CalendarViewMode(), ol::olCalendarViewWeek);
    EXPECT_NE(CalendarView()->XML().find("<mode>1</mode>"), std::string::npos);

    // A calendar view without an arrangement cannot be set that way; the handler reports it.
    CalendarView()->SetXML("<view type=\"calendar\"><viewname>Calendar</viewname></view>");
    view->Click("CtrlWeek");
    ASSERT_FALSE(Boxes().empty());
    EXPECT_NE(Boxes().back().text.find("OutlookView.CtrlWeek_Click"), std::string::npos);
}

TEST_F(OutlookViewTest, TheIconMakesANewItemOfTheFoldersKind) {
    const auto inspectors = world_.Outlook()->Inspectors();
    const auto tasks = ShowFolder(ol::olFolderTasks);
    tasks->Click("CtrlIcon");
    ASSERT_EQ(inspectors->Count(), 1);
    EXPECT_EQ(inspectors->Item(1)->CurrentItem()->MessageClass(), "IPM.Task");

    ShowFolder(ol::olFolderInbox)->Click("CtrlIcon");
    ASSERT_EQ(inspectors->Count(), 2);
    EXPECT_EQ(inspectors->Item(2)->CurrentItem()->MessageClass(), "IPM.Note");
}

TEST_F(OutlookViewTest, AnotherUsersFolderOfTheSameKindCanBeShown) {
    const auto view = ShowFolder(ol::olFolderCalendar);
    standin::outlook::SimulatedUser outlookUser(world_.Outlook());
    outlookUser.WillCancelSelectNames();
    view->OpenSharedFolder();
    EXPECT_EQ(view->Folder()->EntryID(), EntryID(ol::olFolderCalendar)) << "nobody picked";

    outlookUser.WillChooseNames({{"Erik Holm", ol::olTo}});
    view->OpenSharedFolder();
    EXPECT_NE(view->Folder()->EntryID(), EntryID(ol::olFolderCalendar));
    EXPECT_EQ(view->Folder()->DefaultItemType(), ol::olAppointmentItem);
    EXPECT_EQ(view->ViewControl()->Folder(), view->Folder()->FolderPath());
    EXPECT_TRUE(view->State("CtrlOptions").enabled);
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
}  // namespace ostrellix::addin
