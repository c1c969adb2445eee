// The message files as the Outlook program uses them, wired in as the host
// wires them: templates, SaveAs, embedding a message file, business cards.
#include <filesystem>
#include <fstream>

#include "contracts/outlook/IAttachment.h"
#include "contracts/outlook/IAttachments.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IRecipients.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "standins/message/VCardReader.h"
#include "tests/standins/mapi/MapiFixture.h"

namespace ostrellix::standin::mapi {
namespace {

using testing::MapiFixture;
namespace tag = message::tag;

class MessageFileFormatsTest : public MapiFixture {
protected:
    Ptr<ol::IContactItem> Contact() {
        auto contact = As<ol::IContactItem>(outlook->CreateItem(ol::olContactItem));
        contact->SetFirstName("Eva");
        contact->SetLastName("Holm-Åström");
        contact->SetNickName("Evi");
        contact->SetJobTitle("Chief Executive");
        contact->SetCompanyName("Holm; Söner & Co");
        contact->SetEmail1Address("eva@holm.example");
        contact->SetEmail2Address("eva.private@mail.example");
        contact->SetBusinessTelephoneNumber("+46 8 123 45");
        contact->SetMobileTelephoneNumber("+46 70 999 88 77");
        contact->SetHomeFaxNumber("+46 8 555 55");
        contact->SetBusinessAddress("Storgatan 1\r\n111 22 Stockholm");
        contact->SetHomeAddress("Villavägen 3, Täby");
        contact->SetBusinessHomePage("https://holm.example");
        contact->SetBirthday(Date::FromParts(1975, 12, 24));
        std::ofstream(files / "eva.png", std::ios::binary) << std::string("\x89PNG\r\n\x1a\n0000", 12);
        contact->AddPicture((files / "eva.png").string());
        contact->Save();
        return contact;
    }

    message::ContactCard CardOf(const Ptr<ol::IItem>& mail) {
        const auto attachments = mail->Attachments();
        EXPECT_EQ(attachments->Count(), 1);
        EXPECT_EQ(attachments->Item(1)->FileName(), "Eva Holm-Åström.vcf");
        attachments->Item(1)->SaveAsFile((files / "card.vcf").string());
        const auto cards = message::VCardReader().ReadFile(files / "card.vcf");
        EXPECT_EQ(cards.size(), 1u);
        return cards.empty() ? message::ContactCard{} : cards[0];
    }
};

TEST_F(MessageFileFormatsTest, ATemplateOpensAsANewUnsavedItem) {
    const auto item = outlook->CreateItemFromTemplate(Sample("top-level-email.msg"));
    const auto mail = As<ol::IMailItem>(item);
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->EntryID(), "");
    EXPECT_FALSE(mail->Sent()) << "a template makes a new mail";
    EXPECT_EQ(mail->Subject(), "Top level email");
    EXPECT_EQ(mail->Recipients()->Count(), 4);
    EXPECT_EQ(mail->Recipients()->Item(4)->Name(), "someone2@gmail.com");
    ASSERT_EQ(mail->Attachments()->Count(), 2);
    EXPECT_EQ(mail->Attachments()->Item(2)->FileName(), "pigeon.jpg") << "each attachment is found by its number";
    mail->Save();
    EXPECT_EQ(mail->Parent()->Name(), "Drafts");

    const auto eml = ErrorOf([&] { outlook->CreateItemFromTemplate(Sample("cc.eml")); });
    ASSERT_TRUE(eml) << "a template is a message file";
    EXPECT_NE(eml->Description().find("cc.eml"), std::string::npos);
}

TEST_F(MessageFileFormatsTest, OutlookSavesAMailAsAMessageFileAndEmbedsOne) {
    auto mail = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
    mail->SetSubject("Saved by Outlook");
    mail->SetHTMLBody("<html><body>Hi <i>there</i></body></html>");
    mail->SetTo("Bo Lind");
    mail->Recipients()->ResolveAll();
    const auto path = files / "outlook.msg";
    mail->SaveAs(path.string(), ol::olMSG);
    const message::MessageData read = message::MsgReader().ReadFile(path);
    EXPECT_EQ(read.properties.GetValue(tag::PR_SUBJECT).ToString(), "Saved by Outlook");
    EXPECT_EQ(read.properties.GetValue(tag::PR_BODY_HTML).ToString(), "<html><body>Hi <i>there</i></body></html>");
    EXPECT_EQ(read.recipients.at(0).properties.GetValue(tag::PR_SMTP_ADDRESS).ToString(), kColleague);

    auto carrier = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
    carrier->Attachments()->Add(Variant(path.string()), ol::olEmbeddeditem);
    carrier->Save();
    const auto embedded = session->GetMessageFromID(carrier->EntryID())->Attachments()->Item(1)->EmbeddedMsg();
    ASSERT_TRUE(embedded);
    EXPECT_EQ(embedded->Subject(), "Saved by Outlook");
    EXPECT_EQ(embedded->HTMLBody(), "<html><body>Hi <i>there</i></body></html>");
}

// Forwarded as a vCard or added as a business card, the contact goes whole.
TEST_F(MessageFileFormatsTest, ACardCarriesTheWholeContact) {
    const auto contact = Contact();
    const auto forwarded = contact->ForwardAsVcard();
    EXPECT_EQ(forwarded->Subject(), "Eva Holm-Åström");
    const message::ContactCard card = CardOf(forwarded);
    message::ContactCard expected;
    expected.fullName = "Eva Holm-Åström";
    expected.firstName = "Eva";
    expected.lastName = "Holm-Åström";
    expected.nickname = "Evi";
    expected.jobTitle = "Chief Executive";
    expected.company = "Holm; Söner & Co";
    expected.birthday = Date::FromParts(1975, 12, 24);
    expected.email1 = "eva@holm.example";
    expected.email2 = "eva.private@mail.example";
    expected.businessPhone = "+46 8 123 45";
    expected.mobilePhone = "+46 70 999 88 77";
    expected.homeFax = "+46 8 555 55";
    expected.homeAddress.street = "Villavägen 3, Täby";
    expected.businessAddress.street = "Storgatan 1\n111 22 Stockholm";  // a vCard breaks lines with LF alone
    expected.businessHomePage = "https://holm.example";
    const std::string png("\x89PNG\r\n\x1a\n0000", 12);
    expected.photo.assign(png.begin(), png.end());
    expected.photoMediaType = "image/png";
    EXPECT_EQ(card, expected);

    auto mail = As<ol::IMailItem>(outlook->CreateItem(ol::olMailItem));
    mail->AddBusinessCard(contact);
    EXPECT_EQ(CardOf(mail), card);
}

}  // namespace
}  // namespace ostrellix::standin::mapi
