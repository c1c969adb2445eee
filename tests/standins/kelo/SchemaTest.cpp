#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/StoredFilters.h"
#include "tests/standins/kelo/KeloFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::kelo {
namespace {

using ostrellix::testing::Raised;

namespace fieldtype = ostrellix::kelo::fieldtype;
namespace classlabel = ostrellix::kelo::classlabel;

using SchemaTest = KeloFixture;

TEST_F(SchemaTest, DemoClassesAreFoundByLabelAndByName) {
    const auto classes = App().Classes();
    EXPECT_EQ(classes->FindByLabel(classlabel::Company)->Name(), "company");
    EXPECT_EQ(classes->FindByLabel(classlabel::Person)->Name(), "person");
    EXPECT_EQ(classes->FindByLabel(classlabel::ToDo)->Name(), "todo");
    EXPECT_EQ(classes->FindByLabel(classlabel::Coworker)->Name(), "coworker");
    EXPECT_EQ(classes->FindByLabel(classlabel::Document)->Name(), "document");
    EXPECT_EQ(classes->FindByName("PERSON")->LocalNamePlural(), "Persons");
    EXPECT_EQ(classes->FindByLabel(12), nullptr);
    EXPECT_EQ(classes->FindByName("nosuchclass"), nullptr);
}

TEST_F(SchemaTest, FieldLookupsFollowLabelsTypesAndRelations) {
    const auto classes = App().Classes();
    const auto person = classes->FindByName("person");
    const auto company = classes->FindByName("company");
    const auto email = person->Fields()->FindByLabel(23);
    EXPECT_EQ(email->Name(), "email");
    EXPECT_EQ(email->Type(), fieldtype::EMail);
    EXPECT_EQ(person->Fields()->FindByType(fieldtype::EMail)->Name(), "email");

    const auto companyRelation = person->Fields()->FindByRelatedClass(company);
    ASSERT_TRUE(companyRelation);
    EXPECT_EQ(companyRelation->Type(), fieldtype::RelationToOne);
    EXPECT_TRUE(SameObject(companyRelation->Counterpart()->Class(), company));
    EXPECT_EQ(companyRelation->Counterpart()->Name(), "persons");
    EXPECT_EQ(companyRelation->Counterpart()->Type(), fieldtype::RelationToMany);
    EXPECT_TRUE(SameObject(companyRelation->Counterpart()->Counterpart(), companyRelation));

    // The document's company relation leads to the person's own company relation.
    const auto documentCompany = classes->FindByName("document")->Fields()->FindByName("company");
    EXPECT_TRUE(SameObject(person->Fields()->FindByRelatedField(documentCompany), companyRelation));

    const auto responsible = classes->FindByName("todo")->Fields()->FindByLabel(10);
    EXPECT_EQ(responsible->Counterpart()->Class()->Label(), classlabel::Coworker);
    const auto picture = classes->FindByName("coworker")->Fields()->FindByType(fieldtype::Document);
    EXPECT_EQ(picture->Attribute("TYPE").ToLong(), 2);
    EXPECT_TRUE(picture->Attribute("missing").IsEmpty());
    EXPECT_EQ(person->Fields()->FindByLabel(18)->ValueType(), Variant::Type::Date);
    EXPECT_EQ(person->Fields()->FindByLabel(999), nullptr);
}

// Names are looked up in a table by lower case and kept once resolved: a name
// must still ignore case over all of Unicode, and one that named nothing must
// name the field added after.
TEST_F(SchemaTest, RecordNamesIgnoreCaseAndFindFieldsAddedLater) {
    auto ek = Load("person", IdOf("person", "lastname", Variant("Ek")));
    ek->SetValue("nickname", Variant("Kim"));
    EXPECT_EQ(ek->Text("LastName"), "Ek");
    EXPECT_EQ(ek->Text("nic\u212Aname"), "Kim");  // the Kelvin sign folds to "k"
    EXPECT_EQ(ek->Text("Company.NAME"), ek->Linked("company")->Text("name"));
    EXPECT_EQ(Class("person")->Fields()->FindByName("EMAIL")->Name(), "email");
    EXPECT_EQ(Class("person")->Fields()->FindByName("e-mail"), nullptr);
    for (const char* name : {"rating", "company.rating"}) {
        const auto error = Raised([&] { ek->Value(name); });
        ASSERT_TRUE(error) << name;
        EXPECT_EQ(error->Number(), engineerror::UnknownField) << name;
    }

    Engine()->Metadata().AddField(Class("company"), {.name = "rating", .type = fieldtype::Integer});
    const auto company = ek->Linked("company");
    company->SetValue("RATING", Variant(4));
    company->Update();
    EXPECT_EQ(Class("company")->Fields()->FindByName("Rating")->Name(), "rating");
    EXPECT_EQ(Load("company", company->ID())->Value("rating").ToLong(), 4);
    EXPECT_EQ(ek->Value("company.rating").ToLong(), 4);
}

TEST_F(SchemaTest, BadSchemaRequestsAreRefusedAndLeaveNothingBehind) {
    Schema& schema = Engine()->Metadata();
    const FieldSpec refused[] = {
        {.name = "bad name"},
        {.name = "id"},                                        // the key's own column
        {.name = "email"},                                     // there already
        {.name = "linked", .type = fieldtype::RelationToOne},  // relations are made by AddRelation
        {.name = "linked", .type = 99},
    };
    for (const FieldSpec& field : refused) {
        EXPECT_THROW(schema.AddField(Class("person"), field), ComError) << field.name << " " << field.type;
    }
    EXPECT_THROW(schema.AddClass({"company", "Company", "", 0, ""}), ComError);
    EXPECT_EQ(Class("person")->Fields()->FindByName("linked"), nullptr);
}

TEST_F(SchemaTest, AWorkspaceFileDescribesItselfWhenOpenedAgain) {
    const std::string path = (dir.Path() / "own.kelo").string();
    {
        kelo::Engine engine({path, "", "server1", dir.Path()}, *clock);
        const auto meeting = engine.Metadata().AddClass({"meeting", "Meeting", "Meetings", 4, "<topic>"});
        engine.Metadata().AddField(meeting, {.name = "day", .label = 4, .type = fieldtype::Date});
        engine.Metadata().AddField(
            meeting,
            {.name = "time", .label = 4, .type = fieldtype::Time, .attributes = {{"format", Variant("hh:mm")}}});
    }
    kelo::Engine reopened({path, "", "ignored", dir.Path()}, *clock);
    EXPECT_FALSE(reopened.Created());
    EXPECT_EQ(reopened.Name(), "own");
    EXPECT_EQ(reopened.Server(), "server1");
    const auto meeting = reopened.Metadata().Require("meeting");
    EXPECT_EQ(meeting->Label(), 4);
    EXPECT_EQ(meeting->Fields()->Count(), 2);
    EXPECT_EQ(meeting->Fields()->FindByType(fieldtype::Time)->Attribute("format").ToString(), "hh:mm");
}

TEST_F(SchemaTest, AFileThatIsNoKeloDatabaseIsRefusedByName) {
    const std::string path = WriteFile("notes.txt", "just text");
    const auto error = Raised([&] { kelo::Engine engine({path, "", "", dir.Path()}, *clock); });
    ASSERT_TRUE(error) << "opened a text file";
    EXPECT_NE(error->Description().find("notes.txt"), std::string::npos) << error->Description();
}

// A database of the layout before stored filters gains their table when it
// is opened, and keeps what it held.
TEST_F(SchemaTest, ADatabaseOfTheFirstLayoutGainsStoredFilters) {
    const std::string path = (dir.Path() / "old.kelo").string();
    {
        kelo::Engine engine({path, "", "server1", dir.Path()}, *clock);
        engine.Metadata().AddClass({"meeting", "Meeting", "Meetings", 4, "<topic>"});
        engine.Db().exec("DROP TABLE kelo_filter");
        engine.Db().exec("UPDATE kelo_meta SET value = 1 WHERE key = 'schema_version'");
    }
    {
        const auto engine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
        const auto meeting = engine->Metadata().Require("meeting");
        EXPECT_EQ(StoredFilters::Of(engine, *meeting)->Count(), 0);
        Filter plans;
        plans.Add("topic", ostrellix::kelo::op::Contains, Variant("plan"));
        StoredFilters::Store(*engine, *meeting, "Plans", plans);
    }
    kelo::Engine reopened({path, "", "", dir.Path()}, *clock);
    EXPECT_EQ(reopened.Db().execAndGet("SELECT value FROM kelo_meta WHERE key = 'schema_version'").getInt64(), 2);
    EXPECT_EQ(reopened.Db().execAndGet("SELECT name FROM kelo_filter").getString(), "Plans");
}

}  // namespace
}  // namespace ostrellix::standin::kelo
