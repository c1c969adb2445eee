#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "compose/DocumentFactory.h"
#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "tests/compose/ComposeFixture.h"

namespace ostrellix::addin::composetest {
namespace {

struct TemplateMail {
    std::string subject, to, cc, bcc, body, html;
};

// Mails made from templates for a record, read back from the file the factory wrote.
class DocumentFactoryTest : public ComposeTest {
protected:
    Ptr<kelo::IDocumentTemplate> Template(const TemplateMail& mail) {
        const std::string path = (world.Folder() / "template.msg").string();
        std::filesystem::remove(path);
        const auto message = Globals::Redemption()->GetMessageFromMsgFile(path, true);
        message->SetSubject(mail.subject);
        message->SetTo(mail.to);
        message->SetCC(mail.cc);
        message->SetBCC(mail.bcc);
        if (mail.html.empty()) {
            message->SetBody(mail.body);
        } else {
            message->SetHTMLBody(mail.html);
        }
        message->Save();
        std::ifstream in(path, std::ios::binary);
        const Bytes data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return standin::kelo::DocumentTemplate::Create(world.Kelo().DataEngine(), "Offer", "person", "msg", data);
    }

    Ptr<mapi::IMessage> Made(const TemplateMail& mail, const Ptr<kelo::IRecord>& record) {
        const std::string path = (world.Folder() / "made.msg").string();
        std::make_shared<DocumentFactory>()->CreateMailFromTemplate(Template(mail), record, path);
        return Globals::Redemption()->GetMessageFromMsgFile(path, false);
    }

    static std::vector<std::pair<std::string, std::int32_t>> Recipients(const Ptr<mapi::IMessage>& message) {
        std::vector<std::pair<std::string, std::int32_t>> recipients;
        const auto all = message->Recipients();
        for (std::int32_t i = 1; i <= all->Count(); ++i) recipients.emplace_back(all->Item(i)->Name(), all->Item(i)->Type());
        return recipients;
    }

    Ptr<kelo::IRecord> maria = Find("person", "lastname", Variant("Sjöberg"));
};

TEST_F(DocumentFactoryTest, RecipientsKeepWhatTheRecordFilledAndDropUnfilledCodes) {
    const auto made = Made({.subject = "Offer for <firstname> <lastname>",
                            .to = "<email>; <email2>",
                            .cc = "<nosuchfield>; <lastname> ",
                            .bcc = "boss@demo.example",
                            .body = "Dear <firstname>,"},
                           maria);
    const std::vector<std::pair<std::string, std::int32_t>> expected = {
        {"maria.sjoberg@nordvik.se", outlook::olTo}, {"Sjöberg", outlook::olCC}, {"boss@demo.example", outlook::olBCC}};
    EXPECT_EQ(Recipients(made), expected) << "Maria has no second address, and no field is called nosuchfield";
    EXPECT_EQ(made->Subject(), "Offer for Maria Sjöberg");
    EXPECT_EQ(made->Body(), "Dear Maria,");
    // The Drafts copy the merge worked on is gone again.
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
}

TEST_F(DocumentFactoryTest, SubjectWithoutCodesAndRecipientsThatMergeToNothingStayAsTheyAre) {
    const auto made = Made({.subject = "Price list", .to = "<email2>", .body = "No codes here."}, maria);
    EXPECT_EQ(made->Subject(), "Price list");
    EXPECT_TRUE(Recipients(made).empty());
    EXPECT_EQ(made->Body(), "No codes here.");
}

TEST_F(DocumentFactoryTest, HtmlBodiesMergeAsHtmlAndPlainBodiesAsText) {
    // Only the HTML merge knows codes an HTML editor escaped, and escapes the values it puts in.
    const auto person = AddPerson("Dahl & Son", "info@dahl.example");
    const std::string content = "Dear &lt;lastname&gt; / <lastname>";
    const auto html = Made({.subject = "s", .html = "<p>" + content + "</p>"}, person);
    EXPECT_EQ(html->BodyFormat(), outlook::olFormatHTML);
    EXPECT_NE(html->HTMLBody().find("<p>Dear Dahl &amp; Son / Dahl &amp; Son</p>"), std::string::npos)
        << html->HTMLBody();
    const auto plain = Made({.subject = "s", .body = content}, person);
    EXPECT_EQ(plain->BodyFormat(), outlook::olFormatPlain);
    EXPECT_EQ(plain->Body(), "Dear &lt;lastname&gt; / Dahl & Son");
}

}  // namespace
}  // namespace ostrellix::addin::composetest
