#include <gtest/gtest.h>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IMeetingItem.h"
#include "standins/outlook/Errors.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;

class SendTest : public OutlookFixture {
protected:
    Ptr<ol::IMailItem> Only(std::int32_t folderType) {
        const auto items = Folder(folderType)->Items();
        EXPECT_EQ(items->Count(), 1);
        return items->Count() == 1 ? As<ol::IMailItem>(items->Item(1)) : nullptr;
    }
};

TEST_F(SendTest, ASentMailIsInSentItemsAndAMailToMyselfArrives) {
    const auto inspector = user->OpenNew(ol::olMailItem);
    const auto mail = As<ol::IMailItem>(inspector->CurrentItem());
    std::vector<std::string> log;
    Connection onSend = mail->Events().Send.Connect([&](bool&) { log.push_back("Send"); });
    Connection onClose = mail->Events().Close.Connect([&](bool&) { log.push_back("Close"); });
    Connection onWindowClose = inspector->Events().Close.Connect([&] { log.push_back("Inspector.Close"); });
    const auto sentItems = Folder(ol::olFolderSentMail)->Items();
    std::string handedOut;
    Connection onSent = sentItems->Events().ItemAdd.Connect(
        [&](const Ptr<ol::IItem>& item) { handedOut = item->Subject() + (SameObject(item, mail) ? " (same)" : ""); });
    user->Type(inspector, "To", Variant("anna berg; dan@kund.example"));
    user->Type(inspector, "CC", Variant("Bo"));
    user->Type(inspector, "Subject", Variant("Status"));
    user->Type(inspector, "Body", Variant("All well."));
    clock->Set(Date::FromParts(2024, 5, 2, 9, 0));
    user->PressSend(inspector);
    EXPECT_EQ(log, (std::vector<std::string>{"Send", "Close", "Inspector.Close"}));
    EXPECT_EQ(outlook->Inspectors()->Count(), 0);
    EXPECT_EQ(ErrorOf([&] { mail->Subject(); }), ol::kItemMovedOrDeleted) << "the sent mail lives on in Sent Items";
    EXPECT_EQ(handedOut, "Status") << "Sent Items hands out a live object for the sent mail";

    const auto sent = Only(ol::olFolderSentMail);
    ASSERT_TRUE(sent);
    EXPECT_TRUE(sent->Sent());
    EXPECT_EQ(sent->SentOn(), Date::FromParts(2024, 5, 2, 9, 0));
    EXPECT_EQ(sent->To(), "Anna Berg; Dan Kund") << "resolved names replace what was typed";
    EXPECT_EQ(sent->CC(), "Bo Lind");
    EXPECT_EQ(Folder(ol::olFolderDrafts)->Items()->Count(), 0);

    const auto received = Only(ol::olFolderInbox);
    ASSERT_TRUE(received);
    EXPECT_NE(received->EntryID(), sent->EntryID());
    // The colleague on Cc has a mailbox in this profile: the mail arrives there too.
    const auto colleague = session->CreateRecipient("Bo Lind");
    EXPECT_EQ(session->GetSharedDefaultFolder(colleague, ol::olFolderInbox)->Items()->Count(), 1);
}

TEST_F(SendTest, SendingCanBeCancelledOrRefused) {
    auto mail = Create<ol::IMailItem>(ol::olMailItem, "Not yet");
    EXPECT_EQ(ErrorOf([&] { mail->Send(); }), errors::kFailed) << "no recipient";
    mail->SetTo("Somebody Unknown");
    EXPECT_EQ(ErrorOf([&] { mail->Send(); }), errors::kFailed) << "a name that does not resolve";
    mail->SetTo("dan@kund.example");
    Connection veto = mail->Events().Send.Connect([](bool& cancel) { cancel = true; });
    mail->Send();
    EXPECT_FALSE(mail->Sent());
    EXPECT_EQ(Folder(ol::olFolderSentMail)->Items()->Count(), 0);
    veto.Disconnect();
    user->ComposeAndSend("dan@kund.example", "Quick note", "Body");
    EXPECT_EQ(Only(ol::olFolderSentMail)->Subject(), "Quick note");
}

TEST_F(SendTest, TheServerRefusesAnAddressItWasToldToAndLogsWhatItSends) {
    std::vector<SentMail> log;
    Connection logged = profile->Mailer().Sent.Connect([&](const SentMail& mail) { log.push_back(mail); });
    profile->Mailer().Refuse("Dan@Kund.example");
    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    mail->SetTo("Bo; dan@kund.example");
    mail->Save();
    EXPECT_EQ(ErrorOf([&] { mail->Send(); }), errors::kFailed);
    EXPECT_EQ(Folder(ol::olFolderSentMail)->Items()->Count(), 0);
    EXPECT_EQ(Folder(ol::olFolderDrafts)->Items()->Count(), 1) << "the mail stays where it was";
    EXPECT_TRUE(log.empty());
    const std::string entryId = mail->EntryID();
    mail->SetTo("Bo");
    mail->SetSubject("Agenda");
    mail->Send();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].entryId, entryId);
    EXPECT_EQ(log[0].keptAs, Only(ol::olFolderSentMail)->EntryID());
    EXPECT_EQ(log[0].to, "Bo Lind");
    EXPECT_EQ(log[0].subject, "Agenda");
}

TEST_F(SendTest, RepliesAndForwardsAddressTheRightPeople) {
    const auto mail = user->Receive({"Dan Kund", "dan@kund.example", "Offer", "Our offer.", "", {"Anna Berg"},
                                     {"cecilia.berg@ostrellix.example"}, {{"offer.pdf", Bytes{'%', 'P'}}}});
    ASSERT_TRUE(mail->Sent());
    EXPECT_EQ(mail->SenderEmailAddress(), "dan@kund.example");
    const auto reply = mail->Reply();
    EXPECT_EQ(reply->Subject(), "RE: Offer");
    EXPECT_EQ(reply->To(), "Dan Kund");
    EXPECT_EQ(reply->CC(), "");
    EXPECT_FALSE(reply->Sent());
    EXPECT_NE(reply->Body().find("Our offer."), std::string::npos);
    EXPECT_EQ(reply->Attachments()->Count(), 0);
    const auto all = mail->ReplyAll();
    EXPECT_EQ(all->To(), "Dan Kund");
    EXPECT_EQ(all->CC(), "Cecilia Berg") << "everyone but me";
    const auto forward = mail->Forward();
    EXPECT_EQ(forward->Subject(), "FW: Offer");
    EXPECT_EQ(forward->Recipients()->Count(), 0);
    EXPECT_EQ(forward->Attachments()->Count(), 1);
    EXPECT_EQ(reply->Reply()->Subject(), "RE: Offer") << "no second prefix";
}

TEST_F(SendTest, AMeetingGoesToItsAttendeesAndStaysInTheCalendar) {
    const auto shared = session->GetSharedDefaultFolder(session->CreateRecipient("bo.lind@ostrellix.example"),
                                                        ol::olFolderCalendar);
    EXPECT_EQ(shared->FolderPath(), "\\\\Mailbox - Bo Lind\\Calendar");
    auto meeting = As<ol::IAppointmentItem>(Folder(ol::olFolderCalendar)->Items()->Add(ol::olAppointmentItem));
    meeting->SetSubject("Review");
    EXPECT_EQ(ErrorOf([&] { meeting->Send(); }), errors::kFailed) << "not a meeting yet";
    meeting->SetMeetingStatus(ol::olMeeting);
    meeting->SetReminderSet(false);
    meeting->Recipients()->Add("Bo Lind");
    const auto inspector = user->Open(meeting);
    user->PressSend(inspector);
    EXPECT_EQ(outlook->Inspectors()->Count(), 0);
    EXPECT_FALSE(meeting->EntryID().empty()) << "the meeting is kept in the calendar";
    const auto request = session->GetSharedDefaultFolder(session->CreateRecipient("Bo Lind"), ol::olFolderInbox)
                             ->Items()
                             ->Item(1);
    ASSERT_TRUE(Is<ol::IMeetingItem>(request));
    EXPECT_EQ(As<ol::IMeetingItem>(request)->SenderName(), "Anna Berg");
    EXPECT_EQ(request->MessageClass(), "IPM.Schedule.Meeting.Request");
}

TEST_F(SendTest, TheAddressBookResolvesDirectoryAndInternetAddresses) {
    // How names resolve is the address book's (AddressBookTest); here, what the object model makes of it.
    const auto me = session->CurrentUser();
    EXPECT_EQ(me->Name(), "Anna Berg");
    const auto smtp = me->PropertyAccessor()->GetProperty(std::string(ol::kPropTagNamespace) + "39FE001E");
    EXPECT_EQ(smtp.ToString(), kUser);
    auto someone = session->CreateRecipient("Dan");
    EXPECT_FALSE(someone->Resolved());
    EXPECT_TRUE(someone->Resolve()) << "a name's beginning that fits one entry of an address list";
    EXPECT_EQ(someone->AddressEntry()->Type(), "SMTP");
    EXPECT_FALSE(session->CreateRecipient("Berg")->Resolve()) << "two people are named Berg";

    const auto lists = session->AddressLists();
    ASSERT_EQ(lists->Count(), 2);
    EXPECT_EQ(lists->Item(1)->AddressListType(), ol::olExchangeGlobalAddressList);
    EXPECT_EQ(lists->Item(2)->Name(), "Kelo Address Book");
    EXPECT_EQ(lists->Item(2)->AddressListType(), 3);
    EXPECT_EQ(lists->Item(2)->AddressEntries()->Item(1)->Address(), "dan@kund.example");

    auto categories = session->Categories();
    categories->Add("Kelo", 5);
    EXPECT_EQ(ErrorOf([&] { categories->Add("KELO", 1); }), errors::kFailed);
    EXPECT_EQ(categories->Item("kelo")->Color(), 5);
}

// The single-name mode, cancelling and the folder picker are the add-in's
// tests' (MenuCommandsTest, MailListenerTest, FormPanesTest).
TEST_F(SendTest, TheSelectNamesDialogGivesWhatTheUserPicks) {
    auto dialog = session->GetSelectNamesDialog();
    EXPECT_FALSE(dialog->Display()) << "no answer given: the user cancels";
    dialog->SetInitialAddressList(session->AddressLists()->Item(2));
    dialog->SetShowOnlyInitialAddressList(true);
    user->WillChooseNames({{"Dan Kund", ol::olCC}, {"Dan", ol::olBCC}});
    ASSERT_TRUE(dialog->Display());
    ASSERT_EQ(dialog->Recipients()->Count(), 2);
    EXPECT_EQ(dialog->Recipients()->Item(1)->Address(), "dan@kund.example");
    EXPECT_EQ(dialog->Recipients()->Item(2)->Type(), ol::olBCC);
    user->WillChooseNames({{"Bo Lind", ol::olTo}});
    EXPECT_EQ(ErrorOf([&] { dialog->Display(); }), errors::kInvalidArgument) << "Bo is not on the Kelo list";
}

}  // namespace
}  // namespace ostrellix::standin::outlook
