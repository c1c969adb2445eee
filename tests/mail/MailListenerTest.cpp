#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "mail/MailListener.h"
#include "tests/mail/MailWindowFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

const std::string kCard =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Berg;Lena\r\nFN:Lena Berg\r\nEMAIL:lena.berg@example.com\r\nEND:VCARD\r\n";

class MailListenerTest : public MailWindowTest {
protected:
    // Shows the boxes the add-in opens instead of asking a terminal.
    std::vector<std::string> Boxes() {
        std::vector<std::string> texts;
        for (const auto& box : world.Kelo().Boxes().History()) texts.push_back(box.text);
        return texts;
    }
    std::int32_t registered = Globals::EventListenerCount();
};

TEST_F(MailListenerTest, EachKindOfMailWindowGetsItsButtons) {
    const auto withContact = ReceiveFromMaria();
    const auto contact = Globals::Outlook()->CreateItem(outlook::olContactItem);
    withContact->Attachments()->Add(Variant(contact));  // an embedded item is no file
    withContact->Save();

    const struct {
        const char* what;
        Ptr<outlook::IMailItem> mail;
        std::vector<std::string> tags;
    } cases[] = {
        {"received", ReceiveFromMaria(), kReceivedTags},
        {"with a file", ReceiveFromMaria({{"offer.pdf", "%PDF"}}), {"SaveMailToKelo", "SaveAttachmentsToKelo"}},
        {"with a card, extension in capitals",
         ReceiveFromMaria({{"LENA.VCF", kCard}}),
         {"SaveMailToKelo", "SaveAttachmentsToKelo", "ImportContactsButton"}},
        {"with an embedded item only", withContact, kReceivedTags},
        {"being composed", As<outlook::IMailItem>(Globals::Outlook()->CreateItem(outlook::olMailItem)), kComposeTags},
    };
    for (const auto& c : cases) {
        const auto window = outlookUser.Open(c.mail);
        EXPECT_EQ(Tags(window), c.tags) << c.what;
        outlookUser.Close(window, false);
    }
    EXPECT_EQ(Globals::EventListenerCount(), registered);  // closed windows leave nothing followed
}

TEST_F(MailListenerTest, OnlyTheNewestWindowsButtonsReachTheListener) {
    const auto first = outlookUser.Open(ReceiveFromMaria());
    const auto second = outlookUser.Open(ReceiveFromMaria());
    outlookUser.Click(first, "SaveMailToKelo");
    EXPECT_TRUE(Opened().empty());
    outlookUser.Click(second, "SaveMailToKelo");
    ASSERT_EQ(Opened().size(), 1u);

    // Closing the watched window deletes its buttons.
    const auto bar = second->CommandBars()->Item("Standard");
    const auto count = bar->ControlCount();
    bool deleted = false;
    const Connection watch = second->Events().Close.Connect([&] { deleted = bar->ControlCount() == count - 1; });
    outlookUser.Close(second, false);
    EXPECT_TRUE(deleted);
}

TEST_F(MailListenerTest, ASecondListenerReusesTheButtonsItFinds) {
    const auto second = std::make_shared<MailListener>();
    second->Initialize();
    const auto window = outlookUser.Open(ReceiveFromMaria({{"offer.pdf", "%PDF"}}));
    EXPECT_EQ(window->CommandBars()->Item("Standard")->ControlCount(), 2);
    EXPECT_EQ(world.TimesLogged("MailListener - AddButtons - Add SaveButton"), 2u);
}

TEST_F(MailListenerTest, EachAttachedFileOpensItsOwnDocumentRecord) {
    const auto window = outlookUser.Open(ReceiveFromMaria({{"offer.pdf", "%PDF-1"}, {"terms.txt", "Net 30"}}));
    outlookUser.Click(window, "SaveAttachmentsToKelo");
    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 2u);
    const char* names[] = {"offer.pdf", "terms.txt"};
    for (std::size_t i = 0; i < 2; ++i) {
        const auto record = opened[i]->Record();
        EXPECT_EQ(record->Text("comment"), names[i]);
        EXPECT_EQ(record->Text("person"), "Maria Sjöberg");
        EXPECT_EQ(record->Text("company"), "Nordvik Trading AB");
        EXPECT_EQ(record->Text("contact"), "Maria Sjöberg");
        EXPECT_FALSE(record->Text("coworker").empty());
        const auto file = record->Value("file").ToObjectAs<kelo::IDocument>();
        ASSERT_TRUE(file);
        const Bytes data = file->Data();
        EXPECT_EQ(std::string(data.begin(), data.end()), i == 0 ? "%PDF-1" : "Net 30");
    }
}

TEST_F(MailListenerTest, SavingAttachmentsOfAMailWithoutAnyWarns) {
    const auto mail = ReceiveFromMaria({{"offer.pdf", "%PDF"}});
    const auto window = outlookUser.Open(mail);
    mail->Attachments()->Remove(1);
    outlookUser.Click(window, "SaveAttachmentsToKelo");
    EXPECT_TRUE(Opened().empty());
    ASSERT_FALSE(world.Kelo().Boxes().History().empty());
    EXPECT_EQ(world.Kelo().Boxes().History().back().text, "The mail has no attachments.");
    EXPECT_EQ(world.Kelo().Boxes().History().back().flags, 48);
}

TEST_F(MailListenerTest, AttachedCardsAndContactItemsGoToTheContactImport) {
    const auto mail = ReceiveFromMaria({{"Lena.VCF", kCard}, {"notes.txt", "x"}});
    const auto contact = As<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
    contact->SetFirstName("Ola");
    contact->SetLastName("Dahl");
    mail->Attachments()->Add(Variant(contact));
    mail->Save();
    const auto window = outlookUser.Open(mail);
    outlookUser.Click(window, "ImportContactsButton");

    std::vector<std::string> people;
    for (const auto& opened : Opened()) people.push_back(opened->Record()->Text("lastname"));
    EXPECT_EQ(people, (std::vector<std::string>{"Berg", "Dahl"}));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MailListenerTest, FoundAddressesJoinTheMailWithTheirType) {
    const auto window = Compose("", "Offer");
    outlookUser.WillChooseNames({{"Maria Sjöberg", outlook::olCC}});
    outlookUser.Click(window, "FindKeloAddressButton");
    const auto recipients = As<outlook::IMailItem>(window->CurrentItem())->Recipients();
    ASSERT_EQ(recipients->Count(), 1);
    EXPECT_EQ(recipients->Item(1)->Address(), "maria.sjoberg@nordvik.se");
    EXPECT_EQ(recipients->Item(1)->Type(), outlook::olCC);
    EXPECT_TRUE(recipients->Item(1)->Resolved());

    outlookUser.WillCancelSelectNames();
    outlookUser.Click(window, "FindKeloAddressButton");
    EXPECT_EQ(recipients->Count(), 1);
}

TEST_F(MailListenerTest, ALinkToTheOpenKeloRecordGoesInFrontOfTheBody) {
    const auto window = Compose("maria.sjoberg@nordvik.se", "Offer");
    const auto mail = As<outlook::IMailItem>(window->CurrentItem());
    outlookUser.Click(window, "InsertLinkButton");
    ASSERT_FALSE(Boxes().empty());
    EXPECT_EQ(Boxes().back(), "Open a record in Kelo and try again.");

    const auto maria = Find("person", "lastname", Variant("Sjöberg"));
    world.User().OpenRecord("person", maria->ID());
    const std::string body = mail->HTMLBody();
    outlookUser.Click(window, "InsertLinkButton");
    const std::string link =
        "<A HREF='" + Globals::Application()->Link(maria, kelo::linkkind::Desktop) + "'>Maria Sjöberg</A><BR/>";
    EXPECT_EQ(mail->HTMLBody(), link + body);
}

TEST_F(MailListenerTest, TheUsersBusinessCardIsAttached) {
    const auto window = Compose("maria.sjoberg@nordvik.se", "Offer");
    outlookUser.Click(window, "AttachBusinessCard");
    const auto attachments = window->CurrentItem()->Attachments();
    ASSERT_EQ(attachments->Count(), 1);
    EXPECT_EQ(attachments->Item(1)->FileName(), "Anna Lindqvist.vcf");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MailListenerTest, AnInlineReplyIsFollowedOnce) {
    Globals::Options()->SetSaveOutgoingMailFromOutlookMode(2);
    const auto received = ReceiveFromMaria();
    const auto explorer = outlookUser.OpenExplorer(received->Parent());
    const std::int32_t withExplorer = Globals::EventListenerCount();
    EXPECT_EQ(withExplorer, registered + 1);
    const auto reply = outlookUser.WriteInline(explorer, received, standin::outlook::SimulatedUser::Answer::Reply);
    EXPECT_EQ(Globals::EventListenerCount(), withExplorer + 1);
    reply->Send();
    world.User().AdvanceTime(100);
    EXPECT_EQ(Opened().size(), 1u);
    EXPECT_EQ(Globals::EventListenerCount(), withExplorer);
    explorer->Close();
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
