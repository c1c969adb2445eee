// Message files through the library: SaveAs and GetMessageFromMsgFile
// write real ".msg" files, and files other programs wrote (see
// tests/standins/message/data/SOURCES.md) import with what they hold.
#include <filesystem>
#include <fstream>

#include "contracts/outlook/IItems.h"
#include "standins/mapi/Errors.h"
#include "standins/message/MessageFileError.h"
#include "standins/message/MsgReader.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertySets.h"
#include "standins/message/PropertyTag.h"
#include "tests/standins/mapi/MapiFixture.h"
#include "tests/support/FileText.h"

namespace ostrellix::standin::mapi {
namespace {

using testing::MapiFixture;
namespace tag = message::tag;

std::string Text(const message::PropertyBag& bag, std::uint32_t tag) { return bag.GetValue(tag).ToString(); }

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class MessageFileTest : public MapiFixture {
protected:
    // A mail with two kinds of recipient, a user property, a file and an embedded mail.
    Ptr<api::IMessage> FullMail() {
        const auto mail = SavedDraft("Offert på stolar");
        mail->SetBody("Hej Åsa,\r\nhär är offerten.");
        mail->Recipients()->Add("Bo Lind");
        mail->Recipients()->Add("dan@kund.example")->SetType(2);
        mail->Recipients()->ResolveAll(false);
        mail->UserProperties()->Add("KeloID", ol::olText, true)->SetValue(Variant("Document:17"));
        WriteBytes(files / "offert.pdf", std::string("%PDF-1.4 offer\0\xff", 16));
        mail->Attachments()->Add(Variant((files / "offert.pdf").string()), 1);
        const auto inner = SavedDraft("Förfrågan");
        inner->SetBody("Kan ni offerera 12 stolar?");
        mail->Attachments()->Add(Variant(inner), 5);
        mail->Save();
        return mail;
    }
};

TEST_F(MessageFileTest, SaveAsWritesAMessageFileThatReadsBack) {
    const auto mail = FullMail();
    const auto path = files / "mail.msg";
    mail->SaveAs(path.string(), api::olMSG);
    const message::MessageData read = message::MsgReader().ReadFile(path);
    EXPECT_EQ(Text(read.properties, tag::PR_BODY), "Hej Åsa,\r\nhär är offerten.");
    EXPECT_EQ(Text(read.properties, tag::PR_DISPLAY_TO), "Bo Lind");
    EXPECT_EQ(Text(read.properties, tag::PR_DISPLAY_CC), "Dan Kund");
    ASSERT_EQ(read.recipients.size(), 2u);
    EXPECT_EQ(Text(read.recipients[0].properties, tag::PR_SMTP_ADDRESS), kColleague);
    const auto kelo = read.properties.GetNamed({message::PublicStrings(), std::string("KeloID")});
    ASSERT_TRUE(kelo);
    EXPECT_EQ(kelo->value.ToString(), "Document:17");
    ASSERT_EQ(read.attachments.size(), 2u);
    EXPECT_EQ(Text(read.attachments[0].properties, tag::PR_ATTACH_LONG_FILENAME), "offert.pdf");
    EXPECT_EQ(read.attachments[0].properties.GetValue(tag::PR_ATTACH_DATA_BIN).ToBytes().size(), 16u);
    ASSERT_TRUE(read.attachments[1].embedded);
    EXPECT_EQ(Text(read.attachments[1].embedded->properties, tag::PR_BODY), "Kan ni offerera 12 stolar?");

    const auto wrongFormat = ErrorOf([&] { mail->SaveAs((files / "mail.txt").string(), 0); });
    ASSERT_TRUE(wrongFormat);
    EXPECT_NE(wrongFormat->Description().find("mail.txt"), std::string::npos);
    const auto nowhere = ErrorOf([&] { mail->SaveAs((files / "missing" / "mail.msg").string(), api::olMSG); });
    ASSERT_TRUE(nowhere);
    EXPECT_EQ(nowhere->Number(), message::file_error::CannotSave);
    EXPECT_NE(nowhere->Description().find("mail.msg"), std::string::npos);
}

// What the file holds is the reader's (MsgSampleFilesTest); here, what the library makes of it.
TEST_F(MessageFileTest, ImportedOutlookFilesKeepSubjectRecipientsBodiesAndAttachments) {
    // npm package msg-parser 1.0.10, "test/Top level email.msg".
    const auto drafts = MapiFolder(ol::olFolderDrafts);
    const auto imported = drafts->Import(Sample("top-level-email.msg"), api::olMSG);
    ASSERT_EQ(imported.size(), 1u);
    const auto mail = imported[0];
    EXPECT_FALSE(mail->EntryID().empty()) << "imported messages are saved";
    EXPECT_EQ(drafts->Items()->Count(), 1);
    EXPECT_EQ(mail->Subject(), "Top level email");
    EXPECT_EQ(mail->RtfBody().rfind("{\\rtf1\\ansi\\ansicpg1251\\fromhtml1", 0), 0u) << "decompressed";
    EXPECT_EQ(mail->ReceivedTime().ToString(), "2020-03-26 12:25:32");
    const auto recipients = mail->Recipients();
    ASSERT_EQ(recipients->Count(), 4);
    EXPECT_EQ(recipients->Item(1)->AddressEntry()->SMTPAddress(), "ccsomeoneelse1@gmail.com");
    // The file's "To" recipients are names only, as typed: they resolve here.
    const auto to = recipients->Item(3);
    EXPECT_EQ(to->Type(), 1);
    EXPECT_FALSE(to->Resolved());
    EXPECT_FALSE(to->AddressEntry());
    EXPECT_TRUE(to->Resolve(false));
    EXPECT_EQ(to->Fields(api::PR_SMTP_ADDRESS).ToString(), "someone1@gmail.com");
    EXPECT_EQ(to->AddressEntry()->Type(), "SMTP");

    const auto attachments = mail->Attachments();
    ASSERT_EQ(attachments->Count(), 2);
    EXPECT_EQ(attachments->Item(1)->Type(), 5);
    EXPECT_TRUE(attachments->Item(1)->AsArray().empty());
    const auto forwarded = attachments->Item(1)->EmbeddedMsg();
    ASSERT_TRUE(forwarded);
    EXPECT_EQ(forwarded->Subject(), "Embedded email");
    EXPECT_EQ(forwarded->Attachments()->Item(2)->AsArray().at(0), 0xFF);
    EXPECT_FALSE(attachments->Item(2)->EmbeddedMsg());
    attachments->Item(2)->SaveAsFile((files / "pigeon.jpg").string());
    const Bytes saved = attachments->Item(2)->AsArray();
    EXPECT_EQ(ostrellix::testing::FileText(files / "pigeon.jpg"), std::string(saved.begin(), saved.end()));

    // Outlook opens the same message, numbered rows and all.
    const auto item = As<ol::IMailItem>(ns->GetItemFromID(mail->EntryID()));
    EXPECT_EQ(item->Attachments()->Item(2)->FileName(), "pigeon.jpg");
    EXPECT_EQ(item->Recipients()->Item(4)->Name(), recipients->Item(4)->Name());
}

TEST_F(MessageFileTest, AnImportedSenderIsAnInternetEntry) {
    // npm package msgreader 1.0.1, data/test.msg.
    const auto mail = MapiFolder(ol::olFolderInbox)->Import(Sample("freiraum-test.msg"), api::olMSG).at(0);
    EXPECT_EQ(mail->Subject(), "asdf");
    const auto sender = mail->Sender();
    ASSERT_TRUE(sender);
    EXPECT_EQ(sender->SMTPAddress(), "christoph@freiraum.xyz");
    EXPECT_EQ(mail->Attachments()->Item(1)->DisplayName().empty(), false);
    EXPECT_GT(mail->Attachments()->Item(1)->AsArray().size(), 1000u);
}

TEST_F(MessageFileTest, ImportedInternetMailsKeepTheirPartsAndOutlookReadsTheirHtml) {
    // npm package eml-format 0.6.1, test/fixtures/sample.eml, multipart.eml and cc.eml.
    const auto inbox = MapiFolder(ol::olFolderInbox);
    const auto sample = inbox->Import(Sample("sample.eml"), api::olRFC822Alt).at(0);
    EXPECT_EQ(sample->Subject(), "Winter promotions");
    EXPECT_EQ(sample->SenderName(), "Online Shop");
    EXPECT_EQ(sample->Sender()->Type(), "SMTP");
    EXPECT_EQ(sample->Sender()->SMTPAddress(), "no-reply@example.com");
    EXPECT_EQ(sample->Recipients()->Item(1)->Name(), "Foo Bar");
    EXPECT_TRUE(sample->Recipients()->Item(1)->Resolved());
    EXPECT_EQ(sample->Body().rfind("Lorem ipsum dolor sit amet", 0), 0u);
    EXPECT_EQ(sample->HTMLBody().rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(sample->BodyFormat(), ol::olFormatHTML);
    EXPECT_TRUE(sample->Sent());
    ASSERT_EQ(sample->Attachments()->Count(), 1);
    EXPECT_EQ(sample->Attachments()->Item(1)->FileName(), "nodejs.png");
    EXPECT_EQ(sample->Attachments()->Item(1)->AsArray().size(), 20269u);
    const auto item = As<ol::IMailItem>(ns->GetItemFromID(sample->EntryID()));
    EXPECT_EQ(item->HTMLBody().rfind("<!DOCTYPE html>", 0), 0u);

    const auto multipart = inbox->Import(Sample("multipart.eml"), api::olRFC822).at(0);
    EXPECT_EQ(multipart->Body().rfind("please see attached", 0), 0u);
    EXPECT_EQ(multipart->Attachments()->Item(1)->FileName(), "tired_boot.FJ010019.jpeg");
    EXPECT_EQ(multipart->Attachments()->Item(1)->AsArray().at(0), 0xFF);

    const auto cc = inbox->Import(Sample("cc.eml"), api::olRFC822).at(0);
    EXPECT_EQ(cc->To(), "Foo Bar; info@example.com");
    EXPECT_EQ(cc->CC(), "foo@example.com; Bar");
    ASSERT_EQ(cc->Recipients()->Count(), 4);
    EXPECT_EQ(cc->Recipients()->Item(4)->Type(), 2);
    EXPECT_EQ(cc->Recipients()->Item(4)->Address(), "bar@example.com");
    EXPECT_EQ(inbox->Items()->Count(), 3);
}

TEST_F(MessageFileTest, EightBitFilesAreReadAndWrittenInTheSystemsAnsiCodePage) {
    // A file that names no code page, from a Windows whose code page is 1251.
    message::MessageData cyrillic;
    cyrillic.properties.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    cyrillic.properties.Set(message::MakeTag(0x0037, message::pt::String8), Variant("Привет, мир"));
    const auto path = files / "cyrillic.msg";
    message::MsgWriter::WriteFile(cyrillic, path, {1251, nullptr, nullptr});

    system->SetAnsiCodePage(1251);
    const auto mail = session->GetMessageFromMsgFile(path.string(), false);
    EXPECT_EQ(mail->Subject(), "Привет, мир");
    EXPECT_EQ(outlook->CreateItemFromTemplate(path.string())->Subject(), "Привет, мир");
    mail->SaveAs((files / "copy.msg").string(), api::olMSG);
    const auto copy = message::MsgReader({}, {1251, nullptr, nullptr}).ReadFile(files / "copy.msg").properties.Get(tag::PR_SUBJECT);
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->type, message::pt::String8) << "1251 holds the subject: it stays 8-bit";
    EXPECT_EQ(copy->value.ToString(), "Привет, мир");

    // In 932 the last byte, 0xF0, leads a pair that the terminating NUL does not complete.
    system->SetAnsiCodePage(932);
    std::vector<std::string> heard;
    const Connection listening = system->DebugOutput().Written.Connect([&](const std::string& line) { heard.push_back(line); });
    EXPECT_NE(session->GetMessageFromMsgFile(path.string(), false)->Subject().find("\xEF\xBF\xBD"), std::string::npos);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_NE(heard[0].find("the property 0x0037001E of the message does not decode in code page 932"), std::string::npos)
        << heard[0];
}

TEST_F(MessageFileTest, FormatZeroTellsTheFileByItsContent) {
    std::filesystem::copy_file(Sample("top-level-email.msg"), files / "no-extension");
    std::filesystem::copy_file(Sample("cc.eml"), files / "mail.dat");
    const auto drafts = MapiFolder(ol::olFolderDrafts);
    EXPECT_EQ(drafts->Import((files / "no-extension").string(), 0).at(0)->Subject(), "Top level email");
    EXPECT_EQ(drafts->Import((files / "mail.dat").string(), 0).at(0)->Subject(), "To and Cc headers");
    WriteBytes(files / "junk.bin", std::string("\x01\x02\x03\xFF no mail here", 18));
    const auto junk = ErrorOf([&] { drafts->Import((files / "junk.bin").string(), 0); });
    ASSERT_TRUE(junk);
    EXPECT_NE(junk->Description().find("junk.bin"), std::string::npos) << junk->Description();
    EXPECT_EQ(drafts->Items()->Count(), 2);
}

TEST_F(MessageFileTest, BadFilesRaiseErrorsNamingThemAndStoreNothingAGoodOneFillsAMessage) {
    const std::string original = ostrellix::testing::FileText(Sample("top-level-email.msg"));
    WriteBytes(files / "truncated.msg", original.substr(0, original.size() / 3));
    std::string scrambled = original;
    for (std::size_t i = 512; i < scrambled.size(); i += 61) scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    WriteBytes(files / "scrambled.msg", scrambled);
    const auto drafts = MapiFolder(ol::olFolderDrafts);
    for (const std::string name : {"truncated.msg", "scrambled.msg", "absent.msg"}) {
        const auto error = ErrorOf([&] { drafts->Import((files / name).string(), api::olMSG); });
        ASSERT_TRUE(error) << name;
        EXPECT_NE(error->Description().find(name), std::string::npos) << error->Description();
    }
    EXPECT_EQ(drafts->Items()->Count(), 0);

    const auto message = SavedDraft("Untouched");
    const auto wrongFormat = ErrorOf([&] { message->Import(Sample("cc.eml"), 2); });
    ASSERT_TRUE(wrongFormat);
    EXPECT_EQ(wrongFormat->Number(), errors::kNoSupport);
    EXPECT_NE(wrongFormat->Description().find("cc.eml"), std::string::npos);
    EXPECT_TRUE(ErrorOf([&] { message->Import((files / "truncated.msg").string(), api::olMSG); }));
    EXPECT_EQ(message->Subject(), "Untouched");

    // A good file fills a new message, which saves like any other.
    const auto filled = drafts->Items()->Add("IPM.Note");
    filled->Import(Sample("multipart.eml"), api::olRFC822);
    filled->Save();
    const auto item = ns->GetItemFromID(filled->EntryID());
    EXPECT_EQ(item->Subject(), "Multi-part boundary");
    EXPECT_EQ(item->Attachments()->Count(), 1);
}

TEST_F(MessageFileTest, AMessageFileOpensNewOrExistingAndSavesBackIntoTheFile) {
    const auto path = files / "new.msg";
    const auto created = session->GetMessageFromMsgFile(path.string(), true);
    EXPECT_TRUE(std::filesystem::exists(path)) << "a new message file is made at once";
    EXPECT_EQ(created->EntryID(), "");
    created->SetSubject("Written to a file");
    created->Recipients()->Add("dan@kund.example");
    created->Save();
    EXPECT_EQ(Text(message::MsgReader().ReadFile(path).properties, tag::PR_SUBJECT), "Written to a file");

    const auto opened = session->GetMessageFromMsgFile(path.string(), false);
    EXPECT_EQ(opened->Subject(), "Written to a file");
    EXPECT_EQ(opened->Recipients()->Item(1)->Name(), "dan@kund.example");
    opened->SetBody("Second thoughts");
    opened->Save();
    EXPECT_EQ(Text(message::MsgReader().ReadFile(path).properties, tag::PR_BODY), "Second thoughts");

    // Into Drafts, as the composition does with a template.
    const auto draft = opened->Move(MapiFolder(ol::olFolderDrafts));
    EXPECT_FALSE(draft->EntryID().empty());
    EXPECT_EQ(ns->GetItemFromID(draft->EntryID())->Body(), "Second thoughts");
    EXPECT_TRUE(std::filesystem::exists(path));

    const auto missing = ErrorOf([&] { session->GetMessageFromMsgFile((files / "none.msg").string(), false); });
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->Description().find("none.msg"), std::string::npos);
}

TEST_F(MessageFileTest, EmbeddedMessagesAreReachedChangedAndSavedIntoTheirParent) {
    const auto mail = FullMail();
    const auto embedded = mail->Attachments()->Item(2)->EmbeddedMsg();
    ASSERT_TRUE(embedded);
    EXPECT_EQ(embedded->EntryID(), "");
    EXPECT_EQ(embedded->Subject(), "Förfrågan");
    embedded->SetSubject("Förfrågan (ändrad)");
    embedded->Save();
    EXPECT_EQ(mail->Attachments()->Item(2)->EmbeddedMsg()->Subject(), "Förfrågan (ändrad)");
    mail->Save();
    const auto again = session->GetMessageFromID(mail->EntryID());
    EXPECT_EQ(again->Attachments()->Item(2)->EmbeddedMsg()->Subject(), "Förfrågan (ändrad)");

    mail->Attachments()->Item(2)->SaveAsFile((files / "inner.msg").string());
    EXPECT_EQ(Text(message::MsgReader().ReadFile(files / "inner.msg").properties, tag::PR_SUBJECT),
              "Förfrågan (ändrad)");
    mail->Attachments()->Add(Variant((files / "inner.msg").string()), 5);
    EXPECT_EQ(mail->Attachments()->Item(3)->DisplayName(), "inner");
    EXPECT_EQ(mail->Attachments()->Item(3)->EmbeddedMsg()->Body(), "Kan ni offerera 12 stolar?");
    EXPECT_EQ(ErrorOf([&] { mail->Attachments()->Add(Variant("x"), 6); })->Number(), errors::kNoSupport);
}

}  // namespace
}  // namespace ostrellix::standin::mapi
