#include <gtest/gtest.h>

#include <functional>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/IRecipient.h"
#include "contracts/outlook/IRecipients.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "tests/compose/BookingFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::composetest {
namespace {

using ostrellix::testing::Raised;

namespace ol = outlook;

constexpr std::int32_t kYes = 6, kNo = 7, kCancel = 2;

class NewMeetingTest : public BookingTest {
protected:
    Ptr<ol::IFolder> Own(std::int32_t folderType) { return Globals::Outlook()->Session()->GetDefaultFolder(folderType); }
    Ptr<ol::IFolder> Eriks(std::int32_t folderType) {
        const auto session = Globals::Outlook()->Session();
        return session->GetSharedDefaultFolder(session->CreateRecipient("Erik Holm"), folderType);
    }
    Ptr<ol::IAppointmentItem> ShownMeeting() {
        const auto window = Shown();
        return window ? As<ol::IAppointmentItem>(window->CurrentItem()) : nullptr;
    }
    const std::vector<standin::kelo::MessageBoxes::Shown>& Boxes() { return world.Kelo().Boxes().History(); }
};

TEST_F(NewMeetingTest, TheOrganizerOptionAndTheAnswerChooseTheCalendar) {
    const struct {
        const char* what;
        const char* organizer;
        std::int32_t answer;
        bool inErikS;  // else the user's own calendar
        bool booked;
    } cases[] = {
        {"no organizer: the user's own calendar, no question", "", 0, false, true},
        {"Yes: the organizer's shared calendar", "Erik Holm", kYes, true, true},
        {"No: the user's own calendar", "Erik Holm", kNo, false, true},
        {"Cancel: no meeting", "Erik Holm", kCancel, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Globals::Options()->SetMeetingOrganizer(c.organizer);
        if (c.answer != 0) world.User().QueueAnswers({c.answer});
        const std::size_t boxes = Boxes().size();
        const std::int32_t own = Own(ol::olFolderCalendar)->Items()->Count();
        const std::int32_t eriks = Eriks(ol::olFolderCalendar)->Items()->Count();
        Menu().NewMeeting(world.User().OpenRecord("person", 1));

        ASSERT_EQ(Boxes().size(), boxes + (c.answer != 0 ? 1 : 0));
        if (c.answer != 0) {
            EXPECT_EQ(Boxes().back().flags, 35);
            EXPECT_EQ(Boxes().back().text.rfind("Do you want to book the meeting with Erik Holm as organizer?", 0), 0U)
                << Boxes().back().text;
        }
        const auto meeting = ShownMeeting();
        if (!c.booked) {
            EXPECT_FALSE(meeting);
            EXPECT_EQ(Globals::EventListenerCount(), registered);
            continue;
        }
        ASSERT_TRUE(meeting);
        EXPECT_EQ(Own(ol::olFolderCalendar)->Items()->Count(), own + (c.inErikS ? 0 : 1));
        EXPECT_EQ(Eriks(ol::olFolderCalendar)->Items()->Count(), eriks + (c.inErikS ? 1 : 0));
        EXPECT_EQ(meeting->MeetingStatus(), ol::olMeeting);
        EXPECT_FALSE(meeting->ReminderSet());
        const auto attendees = meeting->Recipients();
        ASSERT_EQ(attendees->Count(), 1);
        EXPECT_EQ(attendees->Item(1)->Address(), "maria.sjoberg@nordvik.se");
        EXPECT_EQ(attendees->Item(1)->Type(), 1);
        EXPECT_TRUE(attendees->Item(1)->Resolved());
        EXPECT_EQ(Globals::EventListenerCount(), registered + 1);

        outlookUser.Close(Shown(), false);  // abandoned: the stored meeting goes again
        EXPECT_EQ(Own(ol::olFolderCalendar)->Items()->Count(), own);
        EXPECT_EQ(Eriks(ol::olFolderCalendar)->Items()->Count(), eriks);
        EXPECT_EQ(Globals::EventListenerCount(), registered);
    }
}

TEST_F(NewMeetingTest, AnOrganizerTheAddressBookDoesNotKnowFailsTheCommandBeforeAsking) {
    Globals::Options()->SetMeetingOrganizer("Nobody we know");
    const std::int32_t own = Own(ol::olFolderCalendar)->Items()->Count();
    const auto error = Raised([&] { Menu().NewMeeting(world.User().OpenRecord("person", 1)); });
    ASSERT_TRUE(error) << "the command went on";
    EXPECT_EQ(error->Number(), errors::ObjectVariableNotSet);
    EXPECT_TRUE(Boxes().empty());
    EXPECT_FALSE(Shown());
    EXPECT_EQ(Own(ol::olFolderCalendar)->Items()->Count(), own);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

TEST_F(NewMeetingTest, AMeetingWithoutAttendeesIsOnlyShownAndLeavesNothingWhenClosed) {
    const std::int32_t own = Own(ol::olFolderCalendar)->Items()->Count();
    Menu().NewMeeting(world.User().OpenRecord("company", 1));  // a company has no address
    const auto meeting = ShownMeeting();
    ASSERT_TRUE(meeting);
    EXPECT_EQ(meeting->EntryID(), "");
    EXPECT_EQ(meeting->MeetingStatus(), ol::olMeeting);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
    outlookUser.Close(Shown(), false);
    EXPECT_EQ(Own(ol::olFolderCalendar)->Items()->Count(), own);
}

TEST_F(NewMeetingTest, AMeetingSavedOrSentStaysAndASentRequestReachesTheAttendeesInbox) {
    const auto erik = Find("coworker", "lastname", Variant("Holm"));
    const struct {
        const char* end;
        std::function<void(const Ptr<ol::IInspector>&)> play;
        bool kept, delivered;
    } ends[] = {
        {"closed unsaved", [this](const auto& window) { outlookUser.Close(window, false); }, false, false},
        {"saved and closed", [this](const auto& window) { SaveAndClose(window, "Planning"); }, true, false},
        {"sent",
         [this](const auto& window) {
             outlookUser.Type(window, "Subject", Variant("Planning"));
             outlookUser.PressSend(window);
         },
         true, true},
    };
    for (const auto& e : ends) {
        SCOPED_TRACE(e.end);
        const std::int32_t own = Own(ol::olFolderCalendar)->Items()->Count();
        const std::int32_t inbox = Eriks(ol::olFolderInbox)->Items()->Count();
        Menu().NewMeeting(world.User().OpenRecord("coworker", erik->ID()));
        e.play(Shown());
        EXPECT_EQ(Own(ol::olFolderCalendar)->Items()->Count(), own + (e.kept ? 1 : 0));
        ASSERT_EQ(Eriks(ol::olFolderInbox)->Items()->Count(), inbox + (e.delivered ? 1 : 0));
        if (e.delivered) {
            const auto request = Eriks(ol::olFolderInbox)->Items()->Item(inbox + 1);
            EXPECT_EQ(request->MessageClass(), "IPM.Schedule.Meeting.Request");
            EXPECT_EQ(request->Subject(), "Planning");
        }
        EXPECT_EQ(Globals::EventListenerCount(), registered);
    }
}

}  // namespace
}  // namespace ostrellix::addin::composetest
