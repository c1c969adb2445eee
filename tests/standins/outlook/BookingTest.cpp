#include <gtest/gtest.h>

#include <functional>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IExplorer.h"
#include "contracts/outlook/IFolders.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IInspectors.h"
#include "contracts/outlook/IRecipients.h"
#include "standins/outlook/Errors.h"
#include "tests/standins/outlook/EventLog.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;
using Lines = std::vector<std::string>;

// Booking appointments, meetings and tasks as the user does it, and what
// the item, its window and the folders tell of each step.
class BookingTest : public OutlookFixture {
protected:
    testing::EventLog events;
};

struct UserStep {
    const char* name;
    std::int32_t itemType;
    std::function<void(SimulatedUser&, const Ptr<ol::IInspector>&)> act;
    Lines expected;
};

TEST_F(BookingTest, EachUserStepTellsTheItemThenTheWindowThenTheFolder) {
    const UserStep steps[] = {
        {"save and close", ol::olAppointmentItem,
         [](SimulatedUser& user, const Ptr<ol::IInspector>& window) { user.Close(window, true); },
         {"Item.Write", "Item.Close", "Inspector.Deactivate", "Inspector.Close", "Calendar.ItemAdd(Visit)"}},
        {"save, then close", ol::olTaskItem,
         [](SimulatedUser& user, const Ptr<ol::IInspector>& window) {
             user.Save(window);
             user.Close(window, false);
         },
         {"Item.Write", "Tasks.ItemAdd(Visit)", "Item.Close", "Inspector.Deactivate", "Inspector.Close"}},
        {"close, answering No", ol::olAppointmentItem,
         [](SimulatedUser& user, const Ptr<ol::IInspector>& window) { user.Close(window, false); },
         {"Item.Close", "Inspector.Deactivate", "Inspector.Close"}},
        {"send a meeting", ol::olAppointmentItem,
         [](SimulatedUser& user, const Ptr<ol::IInspector>& window) {
             const auto meeting = As<ol::IAppointmentItem>(window->CurrentItem());
             meeting->SetMeetingStatus(ol::olMeeting);
             meeting->Recipients()->Add("Bo Lind");
             user.PressSend(window);
         },
         {"Item.Send", "Item.Close", "Inspector.Deactivate", "Inspector.Close", "Calendar.ItemAdd(Visit)"}},
        {"turn to another window", ol::olTaskItem,
         [](SimulatedUser& user, const Ptr<ol::IInspector>&) { user.OpenNew(ol::olAppointmentItem); },
         {"Inspector.Deactivate"}},
    };
    for (const UserStep& step : steps) {
        SCOPED_TRACE(step.name);
        testing::EventLog log;
        const auto calendar = Folder(ol::olFolderCalendar)->Items(), tasks = Folder(ol::olFolderTasks)->Items();
        log.Watch(calendar, "Calendar");
        log.Watch(tasks, "Tasks");
        const auto window = user->OpenNew(step.itemType);
        user->Type(window, "Subject", Variant("Visit"));
        log.Watch(window->CurrentItem(), "Item");
        log.Watch(window);
        step.act(*user, window);
        EXPECT_EQ(log.lines, step.expected);
        for (std::int32_t open = outlook->Inspectors()->Count(); open > 0; --open) {
            user->Close(outlook->Inspectors()->Item(open), false);
        }
        EXPECT_FALSE(outlook->ActiveInspector());
    }
}

TEST_F(BookingTest, ACalendarWindowOpensNewAppointmentsSwitchesFoldersAndTakesItemsPutIntoIt) {
    const auto calendar = Folder(ol::olFolderCalendar);
    const auto projects = calendar->Folders()->Add("Projects", ol::olAppointmentItem);
    auto planned = As<ol::IAppointmentItem>(projects->Items()->Add(ol::olAppointmentItem));
    planned->SetSubject("Kick-off");
    planned->SetBody("Agenda: scope");
    planned->Save();

    const auto explorer = calendar->GetExplorer(0);
    explorer->Display();
    events.Watch(explorer);
    events.Keep(outlook->Inspectors()->Events().NewInspector.Connect([this](const Ptr<ol::IInspector>& window) {
        const auto item = window->CurrentItem();
        events.lines.push_back("NewInspector(" + window->Caption() + (item->EntryID().empty() ? ", new)" : ")"));
    }));
    const auto calendarItems = calendar->Items();
    events.Keep(calendarItems->Events().ItemAdd.Connect([this](const Ptr<ol::IItem>& item) {
        events.lines.push_back("Calendar.ItemAdd(" + item->Subject() + ", body \"" + item->Body() + "\")");
    }));

    const auto window = user->OpenNew(explorer);
    EXPECT_TRUE(Is<ol::IAppointmentItem>(window->CurrentItem()));
    user->Type(window, "Subject", Variant("Booked"));
    user->Close(window, true);
    user->ShowFolder(explorer, Folder(ol::olFolderTasks));
    EXPECT_EQ(explorer->CurrentFolder()->DefaultItemType(), ol::olTaskItem);
    user->ShowFolder(explorer, calendar);
    EXPECT_EQ(explorer->CurrentFolder()->DefaultItemType(), ol::olAppointmentItem);
    const auto typed = user->TypeIntoView(explorer, "Lunch");
    user->Drag(planned, calendar);
    explorer->Close();

    EXPECT_EQ(events.lines, (Lines{"NewInspector(Untitled - Appointment, new)", "Calendar.ItemAdd(Booked, body \"\")",
                                   "Explorer.FolderSwitch", "Explorer.FolderSwitch",
                                   "Calendar.ItemAdd(Lunch, body \"\")",
                                   "Calendar.ItemAdd(Kick-off, body \"Agenda: scope\")", "Explorer.Close"}));
    EXPECT_TRUE(Is<ol::IAppointmentItem>(typed));
    EXPECT_EQ(typed->Parent()->EntryID(), calendar->EntryID());
    EXPECT_EQ(outlook->Inspectors()->Count(), 0) << "typing into the view opens no window";
    EXPECT_EQ(outlook->Explorers()->Count(), 0);
}

TEST_F(BookingTest, AColleaguesSharedCalendarTakesNewMeetingsAndOtherNamesAreRefused) {
    const auto shared = session->GetSharedDefaultFolder(session->CreateRecipient("Bo Lind"), ol::olFolderCalendar);
    EXPECT_NE(shared->StoreID(), Folder(ol::olFolderCalendar)->StoreID());
    EXPECT_EQ(shared->DefaultItemType(), ol::olAppointmentItem);
    auto meeting = As<ol::IAppointmentItem>(shared->Items()->Add(ol::olAppointmentItem));
    ASSERT_TRUE(meeting);
    meeting->SetReminderSet(false);
    meeting->SetMeetingStatus(ol::olMeeting);
    meeting->Save();
    EXPECT_EQ(meeting->Parent()->EntryID(), shared->EntryID());
    EXPECT_EQ(Folder(ol::olFolderCalendar)->Items()->Count(), 0);
    const auto stored = As<ol::IAppointmentItem>(session->GetItemFromID(meeting->EntryID()));
    EXPECT_FALSE(stored->ReminderSet());
    EXPECT_EQ(stored->MeetingStatus(), ol::olMeeting);

    // Nobody of that name; someone who has not shared a mailbox with this profile.
    for (const char* name : {"Nobody Known", "Cecilia Berg"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(ErrorOf([&] { session->GetSharedDefaultFolder(session->CreateRecipient(name), ol::olFolderCalendar); }),
                  errors::kFailed);
    }
}

}  // namespace
}  // namespace ostrellix::standin::outlook
