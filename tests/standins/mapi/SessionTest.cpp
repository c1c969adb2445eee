// Logging on with Outlook's MAPIOBJECT, and the one store both views share.
#include "contracts/mapi/IAppointmentItem.h"
#include "contracts/mapi/IContactItem.h"
#include "contracts/mapi/ITaskItem.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/ITaskItem.h"
#include "contracts/outlook/IUserProperties.h"
#include "contracts/outlook/IUserProperty.h"
#include "runtime/Connection.h"
#include "runtime/Text.h"
#include "standins/mapi/Errors.h"
#include "tests/standins/mapi/MapiFixture.h"

namespace ostrellix::standin::mapi {
namespace {

using testing::MapiFixture;

class SessionTest : public MapiFixture {};

TEST_F(SessionTest, CallsBeforeLogonRaiseAndUnknownIdsAreNotFound) {
    const auto fresh = As<api::ISession>(factory.Create("zqoutred.zqrdosession"));
    ASSERT_TRUE(fresh);
    EXPECT_FALSE(fresh->LoggedOn());
    EXPECT_FALSE(fresh->MAPIOBJECT());
    const auto notLoggedOn = ErrorOf([&] { fresh->GetDefaultFolder(ol::olFolderDrafts); });
    ASSERT_TRUE(notLoggedOn);
    EXPECT_EQ(notLoggedOn->Number(), errors::kNotLoggedOn);
    EXPECT_NE(notLoggedOn->Description().find("MAPIOBJECT"), std::string::npos);
    EXPECT_EQ(ErrorOf([&] { fresh->SetMAPIOBJECT(outlook); })->Number(), errors::kInvalidArgument)
        << "only a session's MAPIOBJECT logs on";

    EXPECT_TRUE(session->LoggedOn());
    const auto unknown = ErrorOf([&] { session->GetMessageFromID("00000000DEADBEEF"); });
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->Number(), static_cast<std::int32_t>(0x8004010F));
    EXPECT_NE(unknown->Description().find("00000000DEADBEEF"), std::string::npos);
    EXPECT_EQ(ErrorOf([&] { session->GetMessageFromID(""); })->Number(), errors::kNotFound);
    EXPECT_EQ(ErrorOf([&] { session->GetAddressEntryFromID("00FF"); })->Number(), errors::kNotFound);
}

TEST_F(SessionTest, WhenOutlookQuitsTheSessionIsGoneUntilLoggedOnAgain) {
    const auto message = SavedDraft("Kept");
    const std::string id = message->EntryID();
    outlook->Quit();
    EXPECT_FALSE(session->LoggedOn()) << "the add-in reconnects when this turns false";
    EXPECT_EQ(ErrorOf([&] { session->GetMessageFromID(id); })->Number(), ol::kDisconnected);
    EXPECT_EQ(ErrorOf([&] { message->Subject(); })->Number(), ol::kDisconnected);

    outlook = program->Start();
    session->SetMAPIOBJECT(outlook->Session()->MAPIOBJECT());
    EXPECT_TRUE(session->LoggedOn());
    EXPECT_EQ(session->GetMessageFromID(id)->Subject(), "Kept") << "the store outlives Outlook";
}

TEST_F(SessionTest, AnItemSavedInOutlookIsTheMessageOfItsEntryIdAndChangesGoBothWays) {
    auto mail = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
    mail->SetSubject("From Outlook");
    mail->SetTo("Bo Lind");
    mail->Save();
    const auto message = session->GetMessageFromID(text::LCase(mail->EntryID()));
    EXPECT_EQ(message->EntryID(), mail->EntryID()) << "EntryIDs are upper-case hex, given in either case";
    EXPECT_EQ(message->Subject(), "From Outlook");
    EXPECT_EQ(message->To(), "Bo Lind");
    EXPECT_FALSE(message->Sent());

    std::vector<std::string> changes;
    const auto drafts = ns->GetDefaultFolder(ol::olFolderDrafts)->Items();
    Connection onChange = drafts->Events().ItemChange.Connect([&](const Ptr<ol::IItem>& item) {
        changes.push_back(item->Subject());
    });
    message->SetSubject("Changed through MAPI");
    message->UserProperties()->Add("GUID", ol::olText, false)->SetValue(Variant("{1234}"));
    EXPECT_EQ(mail->Subject(), "From Outlook") << "not before it is saved";
    message->Save();
    EXPECT_EQ(changes, std::vector<std::string>{"Changed through MAPI"}) << "the folder tells Outlook's listeners";
    EXPECT_EQ(mail->Subject(), "Changed through MAPI");
    ASSERT_TRUE(mail->UserProperties()->Find("guid"));
    EXPECT_EQ(mail->UserProperties()->Find("guid")->Value().ToString(), "{1234}");

    mail->SetBody("Typed in Outlook");
    mail->Save();
    EXPECT_EQ(message->Body(), "Typed in Outlook") << "a message without changes of its own follows the store";

    message->SetSubject("Unsaved here");
    mail->SetSubject("Saved there");
    mail->Save();
    EXPECT_EQ(message->Subject(), "Unsaved here") << "changes of its own are kept until saved";
}

TEST_F(SessionTest, DeletingThroughMapiEndsTheOutlookItemAndViceVersa) {
    auto mail = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
    mail->SetSubject("Doomed");
    mail->Save();
    session->GetMessageFromID(mail->EntryID())->Delete();
    EXPECT_EQ(ErrorOf([&] { mail->Subject(); })->Number(), ol::kItemMovedOrDeleted);
    EXPECT_EQ(ns->GetDefaultFolder(ol::olFolderDrafts)->Items()->Count(), 0);

    const auto message = SavedDraft("Also doomed");
    ns->GetItemFromID(message->EntryID())->Delete();
    EXPECT_EQ(ErrorOf([&] { message->Subject(); })->Number(), errors::kObjectDeleted);
}

// The sync mapping tests read each kind's fields through the library; here each class comes as its own kind.
TEST_F(SessionTest, StoredItemsComeTypedByTheirClass) {
    auto appointment = As<ol::IAppointmentItem>(outlook->CreateItem(ol::olAppointmentItem));
    appointment->SetLocation("Room 4");
    appointment->Save();
    const auto meeting = As<api::IAppointmentItem>(session->GetMessageFromID(appointment->EntryID()));
    ASSERT_TRUE(meeting) << "an appointment comes as an appointment";
    EXPECT_EQ(meeting->Location(), "Room 4");
    EXPECT_EQ(meeting->Organizer(), "Anna Berg");

    auto task = As<ol::ITaskItem>(outlook->CreateItem(ol::olTaskItem));
    task->SetDueDate(Date::FromParts(2024, 6, 5));
    task->SetComplete(true);
    task->Save();
    const auto todo = As<api::ITaskItem>(session->GetMessageFromID(task->EntryID()));
    ASSERT_TRUE(todo);
    EXPECT_EQ(todo->DueDate(), Date::FromParts(2024, 6, 5));
    EXPECT_EQ(todo->StartDate(), ol::kNoDate);
    EXPECT_TRUE(todo->Complete());
    EXPECT_FALSE(As<api::IAppointmentItem>(todo));

    auto contact = As<ol::IContactItem>(outlook->CreateItem(ol::olContactItem));
    contact->SetFullName("Eva Holm");
    contact->Save();
    const auto person = As<api::IContactItem>(session->GetMessageFromID(contact->EntryID()));
    ASSERT_TRUE(person);
    EXPECT_EQ(person->FirstName(), "Eva");
    EXPECT_EQ(person->Birthday(), ol::kNoDate);
    contact->SetBirthday(Date::FromParts(1980, 2, 29));
    contact->Save();
    EXPECT_EQ(person->Birthday(), Date::FromParts(1980, 2, 29));

    EXPECT_FALSE(As<api::IContactItem>(SavedDraft("A mail")));
}

TEST_F(SessionTest, FoldersAddressBookAndCurrentUser) {
    const auto sent = MapiFolder(ol::olFolderSentMail);
    EXPECT_EQ(sent->Name(), "Sent Items");
    EXPECT_EQ(sent->EntryID(), ns->GetDefaultFolder(ol::olFolderSentMail)->EntryID());
    const auto draft = MapiFolder(ol::olFolderDrafts)->Items()->Add("IPM.Note");
    EXPECT_EQ(draft->EntryID(), "") << "no EntryID until first saved";
    EXPECT_EQ(MapiFolder(ol::olFolderDrafts)->Items()->Count(), 0);
    draft->Save();
    EXPECT_FALSE(draft->EntryID().empty());
    EXPECT_EQ(MapiFolder(ol::olFolderDrafts)->Items()->Item(1)->EntryID(), draft->EntryID());

    // The current user's type and address are those of the sent copy's sender (SentCopyTest).
    const auto me = session->CurrentUser();
    EXPECT_EQ(me->Name(), "Anna Berg");
    EXPECT_EQ(session->GetAddressEntryFromID(me->EntryID())->Name(), "Anna Berg");

    const auto book = session->AddressBook();
    EXPECT_EQ(book->ResolveName("Bo")->SMTPAddress(), kColleague);
    EXPECT_EQ(book->ResolveName("someone@else.example")->Type(), "SMTP") << "an Internet address resolves to itself";
    EXPECT_FALSE(book->ResolveName("Nobody Known"));
}

}  // namespace
}  // namespace ostrellix::standin::mapi
