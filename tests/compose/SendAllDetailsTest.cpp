#include <gtest/gtest.h>

#include "contracts/outlook/IAttachment.h"
#include "contracts/outlook/IAttachments.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "tests/compose/DetailMailFixture.h"
#include "tests/support/FileText.h"

namespace ostrellix::addin::composetest {
namespace {

class SendAllDetailsTest : public DetailMailTest {
protected:
    static std::string Line(const std::string& label, const std::string& value) {
        return "<div style=\"font-family:calibri,verdana;font-size:11pt\"><span style=\"font-family:calibri,verdana;"
               "color:gray\">" +
               label + ": </span><span style=\"font-family:calibri,verdana\">" + value + "</span></div>";
    }
    static std::string Heading(const std::string& name) { return Block("<B>" + name + "</B>"); }
    static std::string RelatedHeading(const std::string& name) {
        return "<div style=\"font-family:calibri,verdana;font-size:11pt;color:gray\"><B>" + name + "</B></div>";
    }
    static std::string Mail(const std::string& address) {
        return "<a href='mailto:" + address + "'>" + address + "</a>";
    }
    static std::string Web(const std::string& address) { return "<a href='" + address + "'>" + address + "</a>"; }
};

TEST_F(SendAllDetailsTest, ARecordWindowSendsTheRecordsFieldsItsCompanysAndItsBusinessCard) {
    menu.SendAllDetails(world.User().OpenRecord("person", 1));

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject(), "Details: Maria Sjöberg");
    EXPECT_EQ(mail->HTMLBody(),
              Paragraph("Details from Kelo: ") +
                  Block(RecordLink(Link("person", 1), "Maria Sjöberg") +
                        RelatedLink(Link("company", 1), "Nordvik Trading AB")) +
                  "<br/>" + Heading("Maria Sjöberg") + Line("Phone", "+46 8 555 010 12") +
                  Line("Mobile", "+46 70 555 01 12") + Line("E-mail", Mail("maria.sjoberg@nordvik.se")) +
                  RelatedHeading("Nordvik Trading AB") + Line("Address", "Hamngatan 4\n111 47 Stockholm") +
                  Line("Phone", "+46 8 555 010 00") + Line("Web / domain", Web("nordvik.se")) +
                  LinkSection("Link to Kelo", {LinkEntry(Link("person", 1), "Maria Sjöberg", "Person")}));
    ASSERT_EQ(Attachments(mail), std::vector<std::string>{"Maria Sjöberg.vcf"});
    const std::string card = (world.Folder() / "card.vcf").string();
    mail->Attachments()->Item(1)->SaveAsFile(card);
    const std::string vcard = testing::FileText(card);
    EXPECT_NE(vcard.find("BEGIN:VCARD"), std::string::npos) << vcard;
    EXPECT_NE(vcard.find("maria.sjoberg@nordvik.se"), std::string::npos) << vcard;
}

TEST_F(SendAllDetailsTest, SelectedRecordsSkipBlankFieldsAndAddressesAlreadyShown) {
    // Paul's business address is his company's address; Sofie's phone is only blanks.
    const auto sofie = Load("person", 5);
    sofie->SetValue("phone", Variant("   "));
    sofie->Update();
    menu.SendAllDetails(Selected("person", {4, 5}));

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject(), "Details: 2 contacts");
    EXPECT_EQ(mail->HTMLBody(),
              Paragraph("Details from Kelo: ") +
                  Block(RecordLink(Link("person", 4), "Paul Okafor") + RelatedLink(Link("company", 3), "Brisa Logistics")) +
                  "<br/>" + Heading("Paul Okafor") + Line("Business address", "12 Dock Road\nLondon E16 1AA") +
                  Line("E-mail", Mail("paul.okafor@brisa-logistics.com")) + RelatedHeading("Brisa Logistics") +
                  Line("Phone", "+44 20 7946 0011") + Line("Web / domain", Web("brisa-logistics.com")) +
                  Block(RecordLink(Link("person", 5), "Sofie Dahl")) + "<br/>" + Heading("Sofie Dahl") +
                  Line("E-mail", Mail("sofie.dahl@example.org")) +
                  LinkSection("Links to Kelo", {LinkEntry(Link("person", 4), "Paul Okafor", "Person"),
                                                LinkEntry(Link("person", 5), "Sofie Dahl", "Person")}));
    EXPECT_TRUE(Attachments(mail).empty()) << "business cards go only with a record window's record";
    EXPECT_EQ(LastDialog().progress, (std::vector<std::int32_t>{50, 100}));
}

TEST_F(SendAllDetailsTest, ARelationShowsTheLinkedRecordsNameUnderTheFieldsName) {
    menu.SendAllDetails(world.User().OpenRecord("todo", 1));

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject(), "Details: Call Maria about the spring order");
    const std::string body = mail->HTMLBody();
    const std::string own = Heading("") + Line("Responsible", "Anna Lindqvist");
    EXPECT_NE(body.find(own), std::string::npos) << "a to-do's name field is its contact text, empty here\n" << body;
    EXPECT_NE(body.find(RelatedHeading("Maria Sjöberg") + Line("Phone", "+46 8 555 010 12")), std::string::npos);
    EXPECT_NE(body.find(RelatedHeading("Nordvik Trading AB")), std::string::npos);
}

}  // namespace
}  // namespace ostrellix::addin::composetest
