#include "contracts/kelo/Codes.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IMailItem.h"
#include "core/Globals.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/mail/MailFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

class RecordLinkerTest : public MailTest {
protected:
    std::string Linked(const Ptr<kelo::IRecord>& record) {
        return record->Text("coworker") + "|" + record->Text("person") + "|" + record->Text("company");
    }
    Ptr<kelo::IRecord> Person(const char* lastName) { return Find("person", "lastname", Variant(lastName)); }
    Ptr<kelo::IRecord> Company(const char* name) { return Find("company", "name", Variant(name)); }
};

TEST_F(RecordLinkerTest, ARecordLinksToALinkAndToTheLinksOwnRelations) {
    auto record = sync->CreateMailRecord();
    sync->LinkRecordToRecord(record, Person("Virtanen"));
    EXPECT_EQ(Linked(record), "|Lena Virtanen|Tallbacka Konsult");

    // A coworker is no link of its own, and coworker relations are never copied.
    record = sync->CreateMailRecord();
    sync->LinkRecordToRecord(record, Find("coworker", "lastname", Variant("Holm")));
    EXPECT_EQ(Linked(record), "||");
    sync->LinkRecordToRecord(record, Find("todo", "id", Variant(1)));  // Anna's call to Maria at Nordvik
    EXPECT_EQ(Linked(record), "|Maria Sjöberg|Nordvik Trading AB");

    // Relations already set are not copied over, but the link itself always is.
    sync->LinkRecordToRecord(record, Person("Okafor"));
    EXPECT_EQ(Linked(record), "|Paul Okafor|Nordvik Trading AB");

    // A relation flagged as excluded is left alone.
    auto& schema = world.Client().Data()->Metadata();
    const auto visit = schema.AddClass({"visit", "Visit", "Visits", 0, "<id>"});
    schema.AddRelation(visit, {.name = "guest", .label = 1}, schema.Require("person"), {.name = "visits"});
    schema.AddRelation(visit, {.name = "company", .excluded = true}, schema.Require("company"), {.name = "visits"});
    record = NewRecord("visit");
    sync->LinkRecordToRecord(record, Person("Virtanen"));
    EXPECT_EQ(record->Text("guest"), "Lena Virtanen");
    EXPECT_TRUE(record->Value("company").IsNull());

    // Only a person goes into a person's place: the first field with label 1 that takes it.
    record = NewRecord("visit");
    sync->LinkRecordToPerson(record, Company("Brisa Logistics"));
    EXPECT_TRUE(record->Value("guest").IsNull());
    sync->LinkRecordToPerson(record, Person("Okafor"));
    EXPECT_EQ(record->Text("guest"), "Paul Okafor");
    const auto todo = NewRecord("todo");
    sync->LinkRecordToPerson(todo, Person("Okafor"));
    EXPECT_EQ(todo->Text("contact"), "Paul Okafor");
    EXPECT_TRUE(todo->Value("person").IsNull());

    record = sync->CreateMailRecord();
    sync->LinkRecordToCompany(record, Person("Okafor"));
    EXPECT_EQ(Linked(record), "||");
    sync->LinkRecordToCompany(record, Company("Brisa Logistics"));
    EXPECT_EQ(Linked(record), "||Brisa Logistics");
}

TEST_F(RecordLinkerTest, WindowsLinkToWhatTheyShowOrToItsCompany) {
    auto& user = world.User();
    auto record = sync->CreateMailRecord();
    sync->LinkRecordToContext(record, user.OpenRecord("todo", 1));  // no relation to to-dos: its company
    EXPECT_EQ(Linked(record), "||Nordvik Trading AB");

    const auto brisa = user.OpenRecord("company", Company("Brisa Logistics")->ID());
    const auto persons = user.OpenList("person", nullptr, brisa);
    user.SetActiveItem(persons, Person("Virtanen")->ID());
    record = sync->CreateMailRecord();
    sync->LinkRecordToContext(record, persons);
    EXPECT_EQ(Linked(record), "|Lena Virtanen|");
    user.SetActiveItem(persons, std::nullopt);
    record = sync->CreateMailRecord();
    sync->LinkRecordToContext(record, persons);
    EXPECT_EQ(Linked(record), "||Brisa Logistics");

    // An active entry the record cannot link to: the window around the list.
    const auto todos = user.OpenList("todo", nullptr, brisa);
    user.SetActiveItem(todos, 2);
    record = sync->CreateMailRecord();
    sync->LinkRecordToContext(record, todos);
    EXPECT_EQ(Linked(record), "||Brisa Logistics");
}

TEST_F(RecordLinkerTest, AMailIsAddressedToTheRecordsFirstEmailField) {
    const auto mail = Cast<outlook::IMailItem>(Globals::Outlook()->CreateItem(outlook::olMailItem));
    sync->InitializeMailItemFromRecord(mail, Person("Virtanen"));
    EXPECT_EQ(mail->To(), "lena@tallbacka.com");
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
