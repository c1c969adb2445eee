#include <gtest/gtest.h>

#include <fstream>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "standins/message/PropertySets.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;
namespace tag = message::tag;

class BehaviourTest : public OutlookFixture {
protected:
    message::MessageData Stored(const Ptr<ol::IItem>& item) { return profile->Store().Load(item->EntryID())->data.Read(); }
};

TEST_F(BehaviourTest, RecipientsKeepTheAddressLinesInStep) {
    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    auto recipients = mail->Recipients();
    recipients->Add("Bo Lind");
    auto dan = recipients->Add("Dan Kund");
    recipients->Add("Cecilia Berg")->SetType(ol::olBCC);
    EXPECT_EQ(mail->To(), "Bo Lind; Dan Kund");
    EXPECT_EQ(mail->BCC(), "Cecilia Berg");
    dan->SetType(ol::olCC);
    EXPECT_EQ(mail->To(), "Bo Lind");
    EXPECT_EQ(mail->CC(), "Dan Kund");
    EXPECT_EQ(dan->Address(), "") << "not resolved yet";
    EXPECT_TRUE(dan->Resolve());
    EXPECT_EQ(dan->Address(), "dan@kund.example");
    recipients->Remove(2);
    EXPECT_EQ(mail->CC(), "");
    EXPECT_EQ(ErrorOf([&] { dan->Name(); }), errors::kNotFound);
    EXPECT_EQ(ErrorOf([&] { dan->SetType(ol::olCC); }), errors::kNotFound);
    EXPECT_EQ(ErrorOf([&] { recipients->Item(3); }), errors::kInvalidArgument);
    mail->SetTo("");
    EXPECT_EQ(recipients->Count(), 1) << "the Bcc recipient stays";
}

TEST_F(BehaviourTest, CategoriesAreAListOfKeywords) {
    auto task = outlook->CreateItem(ol::olTaskItem);
    task->SetCategories("Kelo; Customer,  VIP ");
    EXPECT_EQ(task->Categories(), "Kelo, Customer, VIP");
    task->Save();
    EXPECT_EQ(Folder(ol::olFolderTasks)->Items()->Find("[Categories] = 'vip'")->EntryID(), task->EntryID());
    task->SetCategories("");
    task->Save();
    EXPECT_FALSE(Folder(ol::olFolderTasks)->Items()->Find("[Categories] = 'VIP'"));
    EXPECT_FALSE(Stored(task).properties.GetNamed({message::PublicStrings(), std::string("Keywords")}));
}

TEST_F(BehaviourTest, AppointmentsAndTasksStoreWhatOutlookDerives) {
    auto appointment = Create<ol::IAppointmentItem>(ol::olAppointmentItem);
    appointment->SetStart(Date::FromParts(2024, 5, 1));
    appointment->SetEnd(Date::FromParts(2024, 5, 2));
    appointment->SetAllDayEvent(true);
    appointment->Save();
    const auto stored = Stored(appointment);
    EXPECT_EQ(stored.properties.GetNamed({message::psets::Appointment(), std::uint32_t{0x8213}})->value.ToLong(),
              1440) << "the duration in minutes";
    EXPECT_EQ(stored.properties.GetValue(tag::PR_SENDER_NAME).ToString(), "Anna Berg") << "the creator";

    auto task = Create<ol::ITaskItem>(ol::olTaskItem);
    task->SetComplete(true);
    task->SetComplete(false);
    task->Save();
    EXPECT_FALSE(task->Complete());
    EXPECT_EQ(Stored(task).properties.GetNamed({message::psets::Task(), std::uint32_t{0x8101}})->value.ToLong(), 0);
    EXPECT_EQ(ErrorOf([&] { outlook->CreateItem(7); }), errors::kInvalidArgument);
}

TEST_F(BehaviourTest, AContactHasOnePicture) {
    const auto photo = directory.Path() / "anna.jpg";
    std::ofstream(photo) << "JFIF";
    auto contact = Create<ol::IContactItem>(ol::olContactItem);
    contact->SetFullName("Anna Berg");
    contact->AddPicture(photo.string());
    contact->AddPicture(photo.string());
    EXPECT_EQ(contact->Attachments()->Count(), 1) << "the second picture replaces the first";
    EXPECT_EQ(ErrorOf([&] { contact->AddPicture((directory.Path() / "none.jpg").string()); }), errors::kFailed);
    contact->SetEmail1Address("anna.berg@ostrellix.example");
    contact->Save();
    const auto stored = Stored(contact);
    EXPECT_EQ(stored.properties.GetNamed({message::psets::Address(), std::uint32_t{0x8080}})->value.ToString(),
              "Anna Berg (anna.berg@ostrellix.example)");
    EXPECT_EQ(contact->GetInspector()->Caption(), "Anna Berg - Contact");
}

TEST_F(BehaviourTest, MovingANewItemSavesItWhereItGoes) {
    auto mail = Create(ol::olMailItem, "Filed");
    int writes = 0;
    Connection onWrite = mail->Events().Write.Connect([&](bool&) { ++writes; });
    const auto archive = Folder(ol::olFolderInbox)->Folders()->Add("Archive", ol::olMailItem);
    mail->Move(archive);
    EXPECT_EQ(writes, 1);
    EXPECT_EQ(mail->Parent()->FolderPath(), "\\\\Mailbox - Anna Berg\\Inbox\\Archive");
    EXPECT_EQ(Folder(ol::olFolderDrafts)->Items()->Count(), 0);
    EXPECT_EQ(Folder(ol::olFolderInbox)->Folders()->Item("archive")->Items()->Count(), 1);
    EXPECT_EQ(ErrorOf([&] { Folder(ol::olFolderInbox)->Folders()->Add("ARCHIVE", ol::olMailItem); }), errors::kFailed);
}

TEST_F(BehaviourTest, APastedCopyIsANewItemWithEverythingElseOfTheOriginal) {
    auto original = Folder(ol::olFolderCalendar)->Items()->Add(ol::olAppointmentItem);
    original->SetSubject("Fair");
    original->UserProperties()->Add("KeloID", ol::olText)->SetValue("todo:7");
    original->Save();
    clock->AdvanceSeconds(60);
    const auto copy = user->CopyAndPaste(original);
    EXPECT_NE(copy->EntryID(), original->EntryID());
    EXPECT_EQ(copy->Parent()->EntryID(), original->Parent()->EntryID());
    EXPECT_EQ(copy->Subject(), "Fair");
    EXPECT_EQ(copy->UserProperties()->Find("KeloID")->Value().ToString(), "todo:7");
    EXPECT_EQ(Stored(copy).properties.GetValue(tag::PR_SENDER_NAME).ToString(), "Anna Berg");
    EXPECT_EQ(copy->CreationTime(), clock->Now());
    EXPECT_GT(copy->LastModificationTime(), original->LastModificationTime());
    EXPECT_EQ(Folder(ol::olFolderCalendar)->Items()->Count(), 2);
}

TEST_F(BehaviourTest, AColleagueWhoStoresAnItemIsItsCreator) {
    auto task = Folder(ol::olFolderTasks)->Items()->Add(ol::olTaskItem);
    user->SaveAsColleague(task, kColleague);
    EXPECT_EQ(Stored(task).properties.GetValue(tag::PR_SENDER_NAME).ToString(), "Bo Lind");
    task->SetSubject("Later edit");
    task->Save();  // the creator stays
    EXPECT_EQ(Stored(task).properties.GetValue(tag::PR_SENDER_NAME).ToString(), "Bo Lind");
    EXPECT_TRUE(ErrorOf([&] { user->SaveAsColleague(task, kColleague); }).has_value());
    EXPECT_TRUE(ErrorOf([&] { user->SaveAsColleague(outlook->CreateItem(ol::olTaskItem), "nobody@nowhere.example"); }).has_value());
}

TEST_F(BehaviourTest, AHandlerThatSavesAgainIsNotUndone) {
    // As a birthday watcher does: it switches the reminder off and saves the added item.
    const auto calendar = Folder(ol::olFolderCalendar)->Items();
    Connection watcher = calendar->Events().ItemAdd.Connect([](const Ptr<ol::IItem>& item) {
        const auto appointment = As<ol::IAppointmentItem>(item);
        if (appointment->ReminderSet()) {
            appointment->SetReminderSet(false);
            appointment->Save();
        }
    });
    auto birthday = Create<ol::IAppointmentItem>(ol::olAppointmentItem, "Birthday party", true);
    EXPECT_FALSE(birthday->ReminderSet());
    EXPECT_FALSE(As<ol::IAppointmentItem>(session->GetItemFromID(birthday->EntryID()))->ReminderSet());
    EXPECT_TRUE(birthday->Saved());
}

TEST_F(BehaviourTest, SendingOnBehalfAndDeletingAfterSubmit) {
    auto mail = Create<ol::IMailItem>(ol::olMailItem, "For Bo");
    mail->SetTo("dan@kund.example");
    mail->SetBCC("anna.berg@ostrellix.example");
    mail->SetSentOnBehalfOfName("Bo Lind");
    mail->Send();
    const auto sent = As<ol::IMailItem>(Folder(ol::olFolderSentMail)->Items()->Item(1));
    EXPECT_EQ(sent->SenderName(), "Anna Berg");
    EXPECT_EQ(sent->SentOnBehalfOfName(), "Bo Lind");
    const auto received = Folder(ol::olFolderInbox)->Items()->Item(1);
    const auto accessor = received->PropertyAccessor();
    EXPECT_FALSE(accessor->GetProperty(std::string(ol::kPropTagNamespace) + "0057000B").ToBoolean())
        << "a blind copy is neither to nor cc me";
    EXPECT_FALSE(accessor->GetProperty(std::string(ol::kPropTagNamespace) + "0058000B").ToBoolean());
    EXPECT_EQ(accessor->GetProperty(std::string(ol::kPropTagNamespace) + "0040001F").ToString(), "Anna Berg");

    auto draft = Create<ol::IMailItem>(ol::olMailItem);
    draft->SetTo("dan@kund.example");
    draft->SetDeleteAfterSubmit(true);
    draft->Save();
    draft->Send();
    EXPECT_EQ(Folder(ol::olFolderDrafts)->Items()->Count(), 0);
    EXPECT_EQ(Folder(ol::olFolderSentMail)->Items()->Count(), 1);
    EXPECT_EQ(Create<ol::IMailItem>(ol::olMailItem)->Reply()->Recipients()->Count(), 0) << "a draft has no sender";
}

TEST_F(BehaviourTest, WindowsFollowTheirItems) {
    auto mail = Create(ol::olMailItem, "Short", true);
    const auto explorer = user->OpenExplorer(Folder(ol::olFolderDrafts));
    user->Select(explorer, {mail});
    const auto inspector = user->Open(mail);
    EXPECT_EQ(inspector->Caption(), "Short - Message (HTML)");
    bool closed = false;
    Connection onClose = inspector->Events().Close.Connect([&] { closed = true; });
    mail->Delete();
    EXPECT_TRUE(closed) << "deleting an item closes its window";
    EXPECT_EQ(explorer->Selection()->Count(), 0);
    auto plain = Create<ol::IMailItem>(ol::olMailItem);
    plain->SetBodyFormat(ol::olFormatPlain);
    EXPECT_EQ(plain->GetInspector()->Caption(), "Untitled - Message (Plain Text)");
    plain->PrintOut();
    EXPECT_EQ(user->Printed(), std::vector<std::string>{"Untitled - Message (Plain Text)"});
    EXPECT_EQ(ErrorOf([&] { outlook->Explorers()->Item(2); }), errors::kInvalidArgument);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
