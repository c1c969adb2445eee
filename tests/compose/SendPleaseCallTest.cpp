#include <gtest/gtest.h>

#include "compose/SendPleaseCall.h"
#include "contracts/kelo/Codes.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/compose/DetailMailFixture.h"

namespace ostrellix::addin::composetest {
namespace {

namespace fieldtype = kelo::fieldtype;
using standin::kelo::ClassSpec;
using standin::kelo::FieldSpec;

class SendPleaseCallTest : public DetailMailTest {
protected:
    standin::kelo::Schema& Schema() { return world.Client().Data()->Metadata(); }

    // A class whose records are about persons and companies; with a phone
    // field, its records are contacts themselves.
    void AddClass(const std::string& name, const char* localName, const char* localNamePlural, bool phone = false) {
        const auto cls = Schema().AddClass({name, localName, localNamePlural, 0, "<title>"});
        Schema().AddField(cls, {.name = "title", .localName = "Title"});
        if (phone) Schema().AddField(cls, {.name = "phone", .localName = "Phone", .label = 14});
        Schema().AddRelation(cls, {.name = "person", .type = fieldtype::RelationToOne}, Schema().Require("person"),
                             {.name = name + "s", .type = fieldtype::RelationToMany});
        Schema().AddRelation(cls, {.name = "company", .type = fieldtype::RelationToOne}, Schema().Require("company"),
                             {.name = name + "s", .type = fieldtype::RelationToMany});
    }
    std::int32_t Add(const std::string& className, const std::string& title, std::int32_t person = 0,
                     std::int32_t company = 0) {
        const auto record = NewRecord(className);
        record->SetValue("title", Variant(title));
        if (person) record->SetValue("person", Variant(person));
        if (company) record->SetValue("company", Variant(company));
        record->Update();
        return record->ID();
    }

    std::string MariaBlock() {
        return Block(RecordLink(Link("person", 1), "Maria Sjöberg") + RelatedLink(Link("company", 1), "Nordvik Trading AB") +
                     Block("<B>Phone</B>: <span>+46 8 555 010 12</span>, <span>+46 70 555 01 12</span>") +
                     Block("<B>E-mail</B>: <span>maria.sjoberg@nordvik.se</span>"));
    }
};

TEST_F(SendPleaseCallTest, APersonsWindowAsksToCallThatPersonWithPhonesMailAndCompany) {
    const auto window = world.User().OpenRecord("person", 1);
    menu.SendPleaseCall(window, "erik.holm@demo.example");

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject(), "Please call: Maria Sjöberg");
    EXPECT_EQ(mail->HTMLBody(),
              Paragraph("Please call the following: ") + MariaBlock() +
                  LinkSection("Link to Kelo", {LinkEntry(Link("person", 1), "Maria Sjöberg", "Person")}));
    EXPECT_EQ(mail->To(), "") << "the recipient only goes to the dialog";
    EXPECT_TRUE(mail->EntryID().empty()) << "shown for the user to finish, not saved";

    const auto& dialog = LastDialog();
    EXPECT_EQ(dialog.style, 7);
    EXPECT_EQ(dialog.parameters, (std::vector<std::string>{"Context", "Recipient", "Application"}));
    EXPECT_EQ(dialog.text, "Maria Sjöberg") << "the message set before showing, then the record's";
}

TEST_F(SendPleaseCallTest, ThreeSelectedPersonsMakeThreeBlocksWithShortenedDescriptions) {
    // Blanks alone are no phone number; the long name is cut to 33 characters.
    const auto max = NewRecord("person");
    max->SetValue("firstname", Variant("Maximiliana-Josephine"));
    max->SetValue("lastname", Variant("Oberhausen-Lichtenberg"));
    max->SetValue("phone", Variant("   "));
    max->SetValue("email", Variant("max@example.org"));
    max->Update();
    const std::string cut = "Maximiliana-Josephine Oberhaus...";

    menu.SendPleaseCall(Selected("person", {3, max->ID(), 1}));

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject(), "Please call: 3 Persons");
    const std::string lena =
        Block(RecordLink(Link("person", 3), "Lena Virtanen") + RelatedLink(Link("company", 2), "Tallbacka Konsult") +
              Block("<B>Mobile</B>: <span>+46 73 555 44 10</span>") +
              Block("<B>E-mail</B>: <span>lena@tallbacka.com</span>, <span>lena.virtanen@example.org</span>"));
    const std::string maxBlock =
        Block(RecordLink(Link("person", max->ID()), cut) + Block("<B>E-mail</B>: <span>max@example.org</span>"));
    EXPECT_EQ(mail->HTMLBody(), Paragraph("Please call the following: ") + lena + maxBlock + MariaBlock() +
                                    LinkSection("Links to Kelo", {LinkEntry(Link("person", 3), "Lena Virtanen", "Person"),
                                                                  LinkEntry(Link("person", max->ID()), cut, "Person"),
                                                                  LinkEntry(Link("person", 1), "Maria Sjöberg", "Person")}));
    EXPECT_EQ(LastDialog().progress, (std::vector<std::int32_t>{33, 66, 99}));
    EXPECT_EQ(LastDialog().messages, (std::vector<std::string>{"Lena Virtanen", cut, "Maria Sjöberg"}));
}

TEST_F(SendPleaseCallTest, ARecordAboutSomeoneAsksToCallThePersonItRelatesTo) {
    AddClass("visit", "Visit", "Visits");
    const std::int32_t visit = Add("visit", "Spring order follow-up", 1, 1);
    menu.SendPleaseCall(Selected("visit", {visit}));

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->Subject(), "Please call: Maria Sjöberg") << "the visit has no name field: its person's name";
    EXPECT_EQ(mail->HTMLBody(),
              Paragraph("Please call regarding:") +
                  "<BLOCKQUOTE>" + Paragraph("Spring order follow-up") + "</BLOCKQUOTE>" + MariaBlock() +
                  LinkSection("Link to Kelo", {LinkEntry(Link("visit", visit), "Spring order follow-up", "Visit")}));
}

TEST_F(SendPleaseCallTest, SubjectsNameTheRecordsOrWhatTheCallIsAbout) {
    const struct {
        const char* what;
        const char* localName;
        const char* localNamePlural;
        bool contacts;
        bool withPerson;
        std::int32_t records;
        const char* subject;
    } cases[] = {
        {"one about no one", "Visit", "Visits", false, false, 1, "Please call: Regarding: Visit Follow-up number 1"},
        {"one about a person", "Visit", "Visits", false, true, 1, "Please call: Maria Sjöberg"},
        {"several about persons", "Visit", "Visits", false, true, 2, "Please call: Regarding: 2 Visits"},
        {"no plural name", "Visit", "", false, true, 2, "Please call: Regarding: 2 Visit"},
        {"no singular name", "", "Visits", false, false, 1, "Please call: Regarding: Visits Follow-up number 1"},
        {"no names", "", "", false, false, 2, "Please call: Regarding: 2 contacts"},
        {"one without a name", "", "", false, false, 1, "Please call: Regarding: contact Follow-up number 1"},
        {"several contacts", "Lead", "Leads", true, false, 2, "Please call: 2 Leads"},
        {"one contact, its descriptive text as its name", "Lead", "Leads", true, false, 1, "Please call: Follow-up number 1"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string cls = "kind" + std::to_string(++n);
        AddClass(cls, c.localName, c.localNamePlural, c.contacts);
        std::vector<std::int32_t> ids;
        for (std::int32_t i = 1; i <= c.records; ++i) {
            ids.push_back(Add(cls, "Follow-up number " + std::to_string(i), c.withPerson ? 1 : 0));
        }
        menu.SendPleaseCall(Selected(cls, ids));
        ASSERT_TRUE(Shown());
        EXPECT_EQ(Shown()->Subject(), c.subject);
        outlookUser.Close(world.Outlook()->ActiveInspector(), false);
    }
}

TEST_F(SendPleaseCallTest, ContactsAreCompaniesPersonsCoworkersAndClassesWithContactCodes) {
    for (const char* cls : {"company", "person", "coworker"}) {
        EXPECT_TRUE(SendPleaseCall::IsContactClass(Class(cls))) << cls;
    }

    const struct {
        const char* name;
        FieldSpec field;
        bool contacts;
    } made[] = {
        {"plain", {.name = "title"}, false},
        {"otherphone", {.name = "other", .label = 33}, true},
        {"homephone", {.name = "home", .label = 13}, true},
        {"mobile", {.name = "mobile", .label = 15}, true},
        {"labelthree", {.name = "summary", .label = 3}, true},
        {"email", {.name = "address", .type = fieldtype::EMail}, true},
        {"notes", {.name = "notes", .type = fieldtype::LongText}, true},
        {"fax", {.name = "fax", .label = 17}, false},
    };
    for (const auto& c : made) {
        const auto cls = Schema().AddClass({c.name, c.name, c.name, 0, "<id>"});
        Schema().AddField(cls, c.field);
        EXPECT_EQ(SendPleaseCall::IsContactClass(Class(c.name)), c.contacts) << c.name;
    }
}

}  // namespace
}  // namespace ostrellix::addin::composetest
