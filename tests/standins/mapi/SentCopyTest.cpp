// The copy of an outgoing mail that the add-in files: made through the
// library at the moment Outlook sends, filed as a message file, deleted.
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/IRecipients.h"
#include "contracts/outlook/IUserProperties.h"
#include "runtime/Connection.h"
#include "standins/mapi/Errors.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "tests/standins/mapi/MapiFixture.h"

namespace ostrellix::standin::mapi {
namespace {

using testing::MapiFixture;
namespace tag = message::tag;

class SentCopyTest : public MapiFixture {
protected:
    // What the outgoing-mail watch does on the mail's Send event.
    Ptr<api::IMessage> CopyAsSent(const Ptr<ol::IMailItem>& mail) {
        mail->Save();
        const auto copy = session->GetDefaultFolder(ol::olFolderSentMail)->Items()->Add("IPM.Note");
        session->GetMessageFromID(mail->EntryID())->CopyTo(copy);
        copy->SetSent(true);
        copy->SetSentOn(clock->Now());
        if (!copy->Sender()) {
            const auto onBehalfOf = copy->SentOnBehalfOf();
            copy->SetSender(onBehalfOf ? onBehalfOf : session->CurrentUser());
        }
        copy->Save();
        return copy;
    }

    Ptr<ol::IMailItem> Outgoing(const std::string& to) {
        auto mail = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
        mail->SetSubject("Quote 2024-17");
        mail->SetBody("Please find the quote attached.");
        mail->SetTo(to);
        mail->Recipients()->ResolveAll();
        mail->UserProperties()->Add("GUID", ol::olText, true)->SetValue(Variant("{5A1}"));
        return mail;
    }
};

TEST_F(SentCopyTest, TheCopyIsASentMailFromTheUserThatFilesAndGoes) {
    clock->Set(Date::FromParts(2024, 5, 2, 14, 15));
    const auto mail = Outgoing("dan@kund.example");
    std::vector<std::string> added;
    const auto sentItems = ns->GetDefaultFolder(ol::olFolderSentMail)->Items();
    ostrellix::Connection onAdd =
        sentItems->Events().ItemAdd.Connect([&](const Ptr<ol::IItem>& item) { added.push_back(item->Subject()); });
    ostrellix::Connection onSend = mail->Events().Send.Connect([&](bool&) {
        const auto copy = CopyAsSent(mail);
        EXPECT_TRUE(copy->Sent());
        EXPECT_EQ(copy->SentOn(), Date::FromParts(2024, 5, 2, 14, 15));
        EXPECT_EQ(copy->Sender()->SMTPAddress(), kUser);
        EXPECT_EQ(copy->Sender()->Type(), "EX");
        EXPECT_EQ(copy->Subject(), "Quote 2024-17");
        EXPECT_EQ(copy->UserProperties()->Find("GUID")->Value().ToString(), "{5A1}");
        EXPECT_EQ(copy->Recipients()->Item(1)->AddressEntry()->Type(), "SMTP") << "an external recipient is filed";

        // The filing: the copy as a message file.
        copy->SaveAs((files / "copy.msg").string(), api::olMSG);
        const message::MessageData filed = message::MsgReader().ReadFile(files / "copy.msg");
        EXPECT_EQ(filed.properties.GetValue(tag::PR_SENDER_SMTP_ADDRESS).ToString(), kUser);
        EXPECT_EQ(filed.properties.GetValue(tag::PR_CLIENT_SUBMIT_TIME).ToDate(), Date::FromParts(2024, 5, 2, 14, 15));
        EXPECT_EQ(filed.properties.GetValue(tag::PR_MESSAGE_FLAGS).ToLong() & message::MSGFLAG_UNSENT, 0);
        EXPECT_EQ(filed.recipients.at(0).properties.GetValue(tag::PR_SMTP_ADDRESS).ToString(), "dan@kund.example");
        copy->Delete();
        EXPECT_EQ(ErrorOf([&] { copy->Subject(); })->Number(), errors::kObjectDeleted);
    });
    mail->Send();
    EXPECT_EQ(added, std::vector<std::string>{"Quote 2024-17"})
        << "the copy was gone when the sending had finished: Sent Items announces only the sent mail";
    ASSERT_EQ(sentItems->Count(), 1) << "only Outlook's own sent mail stays";
    EXPECT_TRUE(As<ol::IMailItem>(sentItems->Item(1))->Sent());
}

TEST_F(SentCopyTest, AMailSentOnBehalfOfSomeoneHasThemAsSenderOfTheCopy) {
    const auto mail = Outgoing("Bo Lind");
    mail->SetSentOnBehalfOfName("Bo Lind");
    const auto copy = CopyAsSent(mail);
    EXPECT_EQ(copy->Sender()->Name(), "Bo Lind");
    EXPECT_EQ(copy->Sender()->SMTPAddress(), kColleague);
    EXPECT_EQ(copy->Recipients()->Item(1)->AddressEntry()->Type(), "EX") << "an internal recipient is not filed";
    EXPECT_EQ(ns->GetItemFromID(copy->EntryID())->Parent()->Name(), "Sent Items");
    EXPECT_FALSE(As<ol::IMailItem>(ns->GetItemFromID(mail->EntryID()))->Sent()) << "the original is untouched";
}

}  // namespace
}  // namespace ostrellix::standin::mapi
