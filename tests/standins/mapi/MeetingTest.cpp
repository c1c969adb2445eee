#include <gtest/gtest.h>

#include "contracts/mapi/IRecipient.h"
#include "contracts/mapi/IRecipients.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IMeetingItem.h"
#include "contracts/outlook/IRecipient.h"
#include "contracts/outlook/IRecipients.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/standins/mapi/MapiFixture.h"

namespace ostrellix::standin::mapi {
namespace {

using testing::MapiFixture;

class MeetingTest : public MapiFixture {};

TEST_F(MeetingTest, AttendeesAddedThroughTheLibraryAreOutlooksAndTheRequestReachesTheirMailboxesHere) {
    profile->Store().EnsureMailbox(kColleague, "Bo Lind");  // Bo's mailbox is open in this profile
    const auto calendar = ns->GetDefaultFolder(ol::olFolderCalendar);
    auto meeting = As<ol::IAppointmentItem>(calendar->Items()->Add(ol::olAppointmentItem));
    meeting->SetSubject("Review");
    meeting->SetReminderSet(false);
    meeting->SetMeetingStatus(ol::olMeeting);
    meeting->Save();

    const auto message = session->GetMessageFromID(meeting->EntryID());
    for (const char* address : {kColleague, "dan@kund.example"}) {
        const auto recipient = message->Recipients()->Add(address);
        recipient->SetType(1);
        EXPECT_TRUE(recipient->Resolve());
    }
    message->Save();

    const auto again = As<ol::IAppointmentItem>(ns->GetItemFromID(message->EntryID()));
    ASSERT_EQ(again->Recipients()->Count(), 2);
    for (std::int32_t i = 1; i <= 2; ++i) {
        EXPECT_EQ(again->Recipients()->Item(i)->Type(), ol::olTo);
        EXPECT_TRUE(again->Recipients()->Item(i)->Resolved());
    }
    EXPECT_EQ(again->Recipients()->Item(1)->Name(), "Bo Lind");

    outlook::SimulatedUser user(outlook);
    user.PressSend(user.Open(again));
    // Bo has a mailbox here and receives the request; the outside address is sent to, but arrives nowhere here.
    const auto shared = ns->GetSharedDefaultFolder(ns->CreateRecipient("Bo Lind"), ol::olFolderInbox);
    ASSERT_EQ(shared->Items()->Count(), 1);
    const auto request = As<ol::IMeetingItem>(shared->Items()->Item(1));
    ASSERT_TRUE(request) << "the request is a meeting item";
    EXPECT_EQ(request->Subject(), "Review");
    EXPECT_EQ(ns->GetDefaultFolder(ol::olFolderInbox)->Items()->Count(), 0) << "the organizer is no attendee";
    EXPECT_EQ(calendar->Items()->Count(), 1) << "the meeting stays in the organizer's calendar";
    EXPECT_EQ(ns->GetDefaultFolder(ol::olFolderSentMail)->Items()->Count(), 1);
}

}  // namespace
}  // namespace ostrellix::standin::mapi
