// A mail through the library: its parties, recipients, properties by tag,
// bodies, flags, and what it does (send, move, copy, print).
#include "contracts/mapi/ISafeMailItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IRecipients.h"
#include "standins/mapi/Errors.h"
#include "standins/message/CompressedRtf.h"
#include "standins/message/PropertyTag.h"
#include "tests/standins/mapi/MapiFixture.h"

namespace ostrellix::standin::mapi {
namespace {

using testing::MapiFixture;

constexpr std::uint32_t PR_RTF_COMPRESSED = 0x10090102;
constexpr std::uint32_t PR_SENDER_ADDRTYPE = 0x0C1E001F;
constexpr std::uint32_t PR_SENDER_EMAIL_ADDRESS = 0x0C1F001F;

class MessageTest : public MapiFixture {
protected:
    // Outlook sends a mail from the user to `to` (and `cc`); returns what arrived in the Inbox.
    Ptr<api::IMessage> Received(const std::string& to, const std::string& cc = {}) {
        auto mail = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
        mail->SetSubject("Status");
        mail->SetTo(to);
        mail->SetCC(cc);
        mail->Send();
        const auto inbox = MapiFolder(ol::olFolderInbox)->Items();
        return inbox->Count() == 0 ? nullptr : inbox->Item(inbox->Count());
    }
};

TEST_F(MessageTest, AReceivedMailTellsItWasSentToMe) {
    const auto toMe = Received("Anna Berg");
    ASSERT_TRUE(toMe);
    EXPECT_EQ(toMe->ReceivedByName(), "Anna Berg");
    EXPECT_TRUE(toMe->Fields(api::PR_MESSAGE_TO_ME).ToBoolean());
    EXPECT_FALSE(toMe->Fields(api::PR_MESSAGE_CC_ME).ToBoolean());
    EXPECT_TRUE(toMe->Sent());
    EXPECT_EQ(toMe->ReceivedTime(), Date::FromParts(2024, 5, 1, 10, 0));

    const auto ccMe = Received("Bo Lind", "Anna Berg");
    ASSERT_TRUE(ccMe);
    EXPECT_FALSE(ccMe->Fields(api::PR_MESSAGE_TO_ME).ToBoolean());
    EXPECT_TRUE(ccMe->Fields(api::PR_MESSAGE_CC_ME).ToBoolean());

    const auto sent = MapiFolder(ol::olFolderSentMail)->Items()->Item(1);
    EXPECT_EQ(sent->ReceivedByName(), "");
    EXPECT_TRUE(sent->Fields(api::PR_MESSAGE_TO_ME).IsEmpty()) << "a property the message lacks is Empty";
}

// Outlook's item and the library's message of one stored message are read
// once and share what was read, yet neither sees the other's unsaved changes.
TEST_F(MessageTest, OutlookAndTheLibraryShareWhatTheyReadButNotTheirChanges) {
    const std::string entryId = SavedDraft("Stored")->EntryID();
    SavedDraft("Saved since");  // so that the one stored first must be read
    const auto& counters = profile->Store().Counters();
    const std::int64_t loaded = counters.messageLoads;
    const auto item = ns->GetItemFromID(entryId);
    const auto message = session->GetMessageFromID(entryId);
    EXPECT_EQ(item->Subject(), "Stored");
    EXPECT_EQ(message->Subject(), "Stored");
    EXPECT_EQ(counters.messageLoads - loaded, 1);

    item->SetSubject("Outlook's");
    message->SetSubject("the library's");
    EXPECT_EQ(item->Subject(), "Outlook's");
    EXPECT_EQ(message->Subject(), "the library's");
    EXPECT_EQ(session->GetMessageFromID(entryId)->Subject(), "Stored");

    message->Save();
    EXPECT_EQ(item->Subject(), "Outlook's") << "unsaved changes are kept";
    item->Close(ol::olDiscard);
    EXPECT_EQ(item->Subject(), "the library's");
}

TEST_F(MessageTest, AnOrganisationSenderHasItsSmtpAddressFromTheDirectory) {
    const auto received = Received("Anna Berg");
    const auto sender = received->Sender();
    ASSERT_TRUE(sender);
    EXPECT_EQ(sender->Type(), "EX");
    EXPECT_EQ(sender->Name(), "Anna Berg");
    EXPECT_EQ(sender->Address().rfind("/o=Ostrellix/", 0), 0u) << sender->Address();
    EXPECT_EQ(sender->SMTPAddress(), kUser);
    EXPECT_EQ(received->SenderName(), "Anna Berg");

    // A message that names its organisation sender by directory address only.
    const auto draft = SavedDraft("From a colleague");
    draft->SetFields(0x0C1A001F, Variant("Bo Lind"));
    draft->SetFields(PR_SENDER_ADDRTYPE, Variant("EX"));
    draft->SetFields(PR_SENDER_EMAIL_ADDRESS, Variant(session->AddressBook()->ResolveName("Bo Lind")->Address()));
    const auto colleague = draft->Sender();
    ASSERT_TRUE(colleague);
    EXPECT_EQ(colleague->Type(), "EX");
    EXPECT_EQ(colleague->SMTPAddress(), kColleague);
    EXPECT_EQ(colleague->Fields(api::PR_SMTP_ADDRESS).ToString(), kColleague);
    EXPECT_FALSE(colleague->EntryID().empty());

    // An Internet sender is its own SMTP address; the one it was sent for is its own entry.
    draft->SetSender(session->AddressBook()->ResolveName("dan@kund.example"));
    EXPECT_EQ(draft->Sender()->Type(), "SMTP");
    EXPECT_EQ(draft->Sender()->SMTPAddress(), "dan@kund.example");
    EXPECT_EQ(draft->SenderName(), "Dan Kund");
    EXPECT_FALSE(draft->SentOnBehalfOf());
    draft->SetSender(nullptr);
    EXPECT_FALSE(draft->Sender());
}

TEST_F(MessageTest, SafeMailItemReadsTheSenderOfAnOutlookItemOrAMessage) {
    const auto received = Received("Anna Berg");
    const auto item = ns->GetItemFromID(received->EntryID());
    const auto safe = As<api::ISafeMailItem>(factory.Create(MapiLibrary::kSafeMailItemProgId));
    ASSERT_TRUE(safe);
    EXPECT_EQ(ErrorOf([&] { safe->Sender(); })->Number(), errors::kInvalidArgument);
    safe->SetItem(item);
    EXPECT_TRUE(SameObject(safe->Item(), item));
    EXPECT_EQ(safe->Sender()->SMTPAddress(), kUser);
    safe->SetItem(received);
    EXPECT_EQ(safe->Sender()->SMTPAddress(), kUser);
    EXPECT_EQ(ErrorOf([&] { safe->SetItem(session->CurrentUser()); })->Number(), errors::kInvalidArgument);
}

TEST_F(MessageTest, RecipientsAreAddedTypedAndResolvedWithoutDialogs) {
    const auto message = SavedDraft("Offer");
    const auto recipients = message->Recipients();
    const auto bo = recipients->Add("Bo");
    const auto dan = recipients->Add("dan@kund.example");
    const auto nobody = recipients->Add("Nobody Known");
    dan->SetType(2);
    EXPECT_EQ(ErrorOf([&] { dan->SetType(4); })->Number(), errors::kInvalidArgument);
    EXPECT_FALSE(bo->Resolved());
    EXPECT_FALSE(bo->AddressEntry()) << "nothing while unresolved";
    EXPECT_FALSE(recipients->ResolveAll(false)) << "one name is unknown";
    EXPECT_TRUE(bo->Resolved());
    EXPECT_FALSE(nobody->Resolved());
    EXPECT_EQ(bo->Name(), "Bo Lind");
    EXPECT_EQ(bo->AddressEntry()->Type(), "EX");
    EXPECT_EQ(bo->AddressEntry()->SMTPAddress(), kColleague);
    EXPECT_EQ(bo->Fields(api::PR_SMTP_ADDRESS).ToString(), kColleague);
    EXPECT_EQ(dan->Fields(api::PR_SMTP_ADDRESS).ToString(), "dan@kund.example");
    EXPECT_EQ(dan->Type(), 2);
    EXPECT_EQ(dan->Fields(0x0C150003).ToLong(), 2);

    recipients->Remove(3);
    EXPECT_EQ(recipients->Count(), 2);
    EXPECT_EQ(ErrorOf([&] { nobody->Name(); })->Number(), errors::kObjectDeleted);
    message->Save();
    EXPECT_EQ(message->To(), "Bo Lind");
    const auto item = As<ol::IMailItem>(ns->GetItemFromID(message->EntryID()));
    EXPECT_EQ(item->To(), "Bo Lind");
    EXPECT_EQ(item->CC(), "Dan Kund");
    EXPECT_EQ(item->Recipients()->Item(1)->Address(), bo->Address()) << "Outlook sees the same resolved entry";
}

TEST_F(MessageTest, RecipientsGivenWholeNeedNoLookupAndSeveralComeInOneCall) {
    const auto message = SavedDraft("Mailing");
    const auto recipients = message->Recipients();
    const auto one = recipients->AddEx("ulla@far.example", "ulla@far.example", "SMTP", ol::olTo);
    EXPECT_TRUE(one->Resolved());
    EXPECT_EQ(one->AddressEntry()->Type(), "SMTP");
    EXPECT_EQ(one->Fields(api::PR_SMTP_ADDRESS).ToString(), "ulla@far.example");
    recipients->AddMultiple({"per@far.example", "Bo"}, ol::olBCC);
    EXPECT_EQ(ErrorOf([&] { recipients->AddMultiple({"x@far.example"}, 4); })->Number(), errors::kInvalidArgument);
    ASSERT_EQ(recipients->Count(), 3);
    EXPECT_FALSE(recipients->Item(3)->Resolved());
    EXPECT_TRUE(recipients->ResolveAll(false));
    EXPECT_EQ(recipients->Item(3)->Type(), ol::olBCC);
    EXPECT_EQ(message->To(), "ulla@far.example");
    EXPECT_EQ(message->BCC(), "per@far.example; Bo Lind");
}

// Fields go through the accessor Outlook's items have (ItemTest): here, how a tag is named to it.
TEST_F(MessageTest, PropertiesByTagAndBySchemaName) {
    const auto message = SavedDraft("Tagged");
    EXPECT_EQ(message->Fields(api::PR_SUBJECT).ToString(), "Tagged");
    EXPECT_EQ(message->Fields(0x0037001E).ToString(), "Tagged") << "8-bit and Unicode text are one property";
    EXPECT_TRUE(message->Fields(0x00370003).IsEmpty()) << "the subject is no number";

    message->UserProperties()->Add("KeloID", ol::olText, true)->SetValue(Variant("Document:17"));
    EXPECT_EQ(ErrorOf([&] { message->UserProperties()->Add("keloid", ol::olText, true); })->Number(),
              errors::kInvalidArgument);
    message->Save();
    const auto item = ns->GetItemFromID(message->EntryID());
    EXPECT_EQ(item->UserProperties()->Find("KeloID")->Value().ToString(), "Document:17");
}

TEST_F(MessageTest, BodiesStayInStepAndTheRtfBodyIsStoredCompressed) {
    const auto message = SavedDraft("Bodies");
    message->SetBody("Line one\r\nLine two");
    EXPECT_EQ(message->BodyFormat(), ol::olFormatPlain);
    EXPECT_NE(message->RtfBody().find("Line one\\par"), std::string::npos) << "made from the plain text";

    message->SetHTMLBody("<html><body><p>Hello <b>you</b></p></body></html>");
    EXPECT_EQ(message->BodyFormat(), ol::olFormatHTML);
    EXPECT_EQ(message->Body(), "Hello you\r\n");

    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}\\f0 R\\'e4ksm\\u246?rg\\u229?s\\par Tack}";
    message->SetRtfBody(rtf);
    EXPECT_EQ(message->BodyFormat(), ol::olFormatRichText);
    EXPECT_EQ(message->RtfBody(), rtf);
    EXPECT_EQ(message->Body(), "Räksmörgås\r\nTack");
    const Bytes stored = message->Fields(PR_RTF_COMPRESSED).ToBytes();
    ASSERT_GT(stored.size(), 16u);
    EXPECT_EQ(std::string(stored.begin() + 8, stored.begin() + 12), "LZFu");
    EXPECT_EQ(message::CompressedRtf::Decompress(stored, 1 << 20), rtf);
    message->Save();
    EXPECT_EQ(As<ol::IMailItem>(ns->GetItemFromID(message->EntryID()))->BodyFormat(), ol::olFormatRichText);
    EXPECT_EQ(ns->GetItemFromID(message->EntryID())->Body(), "Räksmörgås\r\nTack");
}

TEST_F(MessageTest, SentFlagAndTimesAndDeleteAfterSubmit) {
    const auto message = SavedDraft("Flags");
    EXPECT_FALSE(message->Sent());
    EXPECT_EQ(message->SentOn(), ol::kNoDate);
    EXPECT_EQ(message->ReceivedTime(), ol::kNoDate);
    message->SetSent(true);
    message->SetSentOn(Date::FromParts(2024, 5, 1, 9, 30));
    message->SetDeleteAfterSubmit(true);
    message->Save();
    const auto item = As<ol::IMailItem>(ns->GetItemFromID(message->EntryID()));
    EXPECT_TRUE(item->Sent());
    EXPECT_EQ(item->SentOn(), Date::FromParts(2024, 5, 1, 9, 30));
    EXPECT_TRUE(item->DeleteAfterSubmit());
    message->SetSent(false);
    EXPECT_FALSE(message->Sent());
    EXPECT_EQ(message->Fields(0x0E070003).ToLong() & 0x8, 0x8);
}

TEST_F(MessageTest, SendMoveCopyDeleteAndPrint) {
    const auto message = SavedDraft("Going out");
    message->Recipients()->Add("Anna Berg");
    message->Send();
    EXPECT_EQ(ErrorOf([&] { message->Subject(); })->Number(), errors::kObjectDeleted) << "done with once sent";
    EXPECT_EQ(MapiFolder(ol::olFolderDrafts)->Items()->Count(), 0);
    EXPECT_EQ(MapiFolder(ol::olFolderSentMail)->Items()->Item(1)->Subject(), "Going out");
    EXPECT_EQ(MapiFolder(ol::olFolderInbox)->Items()->Item(1)->Subject(), "Going out");

    const auto unsendable = SavedDraft("No one");
    EXPECT_TRUE(ErrorOf([&] { unsendable->Send(); })) << "a message without recipients is refused";
    EXPECT_EQ(unsendable->Subject(), "No one");

    const auto draft = SavedDraft("Moving");
    const std::string id = draft->EntryID();
    const auto moved = draft->Move(MapiFolder(ol::olFolderInbox));
    EXPECT_EQ(moved->EntryID(), id) << "EntryIDs stay when messages move";
    EXPECT_EQ(ns->GetItemFromID(id)->Parent()->Name(), "Inbox");

    const auto copy = MapiFolder(ol::olFolderSentMail)->Items()->Add("IPM.Note");
    draft->CopyTo(copy);
    EXPECT_EQ(copy->Subject(), "Moving");
    EXPECT_EQ(copy->EntryID(), "") << "a copy is not saved";
    draft->Delete();
    EXPECT_EQ(copy->Subject(), "Moving") << "the copy is its own";
    EXPECT_FALSE(ns->GetItemFromID(id));

    unsendable->Printout();
    ASSERT_EQ(profile->Printed().size(), 1u);
    EXPECT_EQ(profile->Printed()[0], "No one");
}

}  // namespace
}  // namespace ostrellix::standin::mapi
