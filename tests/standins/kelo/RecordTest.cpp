#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <sqlite3.h>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/DemoData.h"
#include "standins/kelo/engine/Document.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/RecordValues.h"
#include "standins/kelo/engine/Records.h"
#include "standins/kelo/engine/EngineError.h"
#include "tests/standins/kelo/KeloFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::kelo {
namespace {

using ostrellix::testing::Raised;

namespace recordstate = ostrellix::kelo::recordstate;

class RecordTest : public KeloFixture {
protected:
    Ptr<Record> NewToDoStarting(Date start) {
        auto todo = NewRecord("todo");
        todo->SetValue("subject", Variant("Early"));
        todo->SetValue("start", Variant(start));
        todo->Update();
        return todo;
    }
};

TEST_F(RecordTest, ANewRecordGetsAnIdAndATimeStampWhenStored) {
    auto record = NewRecord("person");
    EXPECT_EQ(record->State(), recordstate::New);
    EXPECT_TRUE(record->Value("timestamp").IsNull());
    record->SetValue("firstname", Variant("Åsa"));
    record->SetValue("lastname", Variant("Öberg"));
    EXPECT_EQ(record->State(), recordstate::New | recordstate::Changed);
    EXPECT_TRUE(record->HasChanges());
    clock->AdvanceSeconds(60);
    record->Update();
    EXPECT_GT(record->ID(), 0);
    EXPECT_EQ(record->State(), recordstate::Loaded);
    EXPECT_FALSE(record->HasChanges());
    EXPECT_EQ(record->Timestamp().ToString(), "2024-05-01 09:01:00");

    const auto loaded = Load("person", record->ID());
    EXPECT_EQ(loaded->Text("lastname"), "Öberg");
    EXPECT_EQ(loaded->Descriptive(), "Åsa Öberg");
    EXPECT_EQ(loaded->Value("idperson").ToLong(), record->ID());
    EXPECT_EQ(loaded->Timestamp(), record->Timestamp());
}

TEST_F(RecordTest, TimeStampsAdvanceOnEveryStoreEvenWhenTheClockStandsStill) {
    auto record = Load("person", IdOf("person", "lastname", Variant("Ek")));
    const Date before = record->Timestamp();
    record->SetValue("jobtitle", Variant("Buyer"));
    record->Update();
    const Date first = record->Timestamp();
    EXPECT_GT(first, before);
    record->SetValue("jobtitle", Variant("Head buyer"));
    record->Update();
    EXPECT_GT(record->Timestamp(), first);
    clock->AdvanceSeconds(3600);
    record->SetValue("jobtitle", Variant("Director"));
    record->Update();
    EXPECT_EQ(record->Timestamp().ToString(), clock->Now().ToString());

    // Storing a record without changes is no change.
    const Date stored = record->Timestamp();
    record->Update();
    EXPECT_EQ(Load("person", record->ID())->Timestamp(), stored);
}

TEST_F(RecordTest, ValuesKeepTheirKinds) {
    auto todo = NewRecord("todo");
    todo->SetValue("subject", Variant("Visit"));
    todo->SetValue("start", Variant("2024-05-03 13:30:00"));
    todo->SetValue("done", Variant(true));
    todo->Update();
    const auto loaded = Load("todo", todo->ID());
    EXPECT_EQ(loaded->Value("start").VarType(), Variant::Type::Date);
    EXPECT_EQ(loaded->Value("start").ToDate(), Date::FromParts(2024, 5, 3, 13, 30));
    EXPECT_EQ(loaded->Value("done").VarType(), Variant::Type::Boolean);
    EXPECT_TRUE(loaded->Value("end").IsNull());
    EXPECT_EQ(loaded->Text("end"), "");
    EXPECT_EQ(loaded->Text("done"), "True");

    // A date field keeps the date only.
    auto person = NewRecord("person");
    person->SetValue("lastname", Variant("Berg"));
    person->SetValue("birthday", Variant(Date::FromParts(1990, 2, 3, 17, 45)));
    EXPECT_EQ(person->Text("birthday"), "1990-02-03");
    // The empty text is no value.
    person->SetValue("firstname", Variant(""));
    EXPECT_TRUE(person->Value("firstname").IsNull());
}

TEST_F(RecordTest, BadValuesRaiseClearErrorsAndChangeNothing) {
    auto person = NewRecord("person");
    person->SetValue("lastname", Variant("Berg"));
    const auto notADate = Raised([&] { person->SetValue("birthday", Variant("next spring")); });
    ASSERT_TRUE(notADate);
    EXPECT_EQ(notADate->Number(), errors::TypeMismatch);
    EXPECT_NE(notADate->Description().find("birthday"), std::string::npos);
    EXPECT_TRUE(person->Value("birthday").IsNull());
    const auto noSuchField = Raised([&] { person->SetValue("emial", Variant("x@y.se")); });
    ASSERT_TRUE(noSuchField);
    EXPECT_EQ(noSuchField->Number(), engineerror::UnknownField);
    EXPECT_NE(noSuchField->Description().find("emial"), std::string::npos);
    EXPECT_THROW(person->SetValue("firstname", Variant(std::string(51, 'x'))), ComError);
    EXPECT_THROW(person->SetValue("company", Variant(99999)), ComError);  // no such company
    EXPECT_THROW(person->SetValue("company", Variant(Load("person", 1))), ComError);  // a record of another class
    EXPECT_THROW(person->SetValue("company.name", Variant("X")), ComError);
    EXPECT_THROW(person->SetValue("todos", Variant(1)), ComError);
    EXPECT_THROW(person->SetValue("timestamp", Variant(Date())), ComError);
    EXPECT_THROW(person->Value("company.name.more"), ComError);
    EXPECT_THROW(person->Value("lastname.name"), ComError);
}

TEST_F(RecordTest, ARecordTheCheckRefusesIsNotStoredAtAll) {
    auto person = NewRecord("person");
    person->SetValue("firstname", Variant("Nameless"));
    const auto error = Raised([&] { person->Check(); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), engineerror::CheckFailed);
    EXPECT_NE(error->Description().find("Last name"), std::string::npos);
    EXPECT_THROW(person->Update(), ComError);
    EXPECT_EQ(person->ID(), 0);
    EXPECT_EQ(person->State(), recordstate::New | recordstate::Changed);
}

TEST_F(RecordTest, AFailingStoreRollsBackTheRecordAndItsNewDocument) {
    auto record = NewRecord("document");
    auto document = std::make_shared<Document>(Engine());
    document->SetName("letter");
    document->SetData({1, 2, 3});
    record->SetValue("file", Variant(document));
    record->SetValue("comment", Variant("Letter"));
    record->SetValue("company", Variant(IdOf("company", "name", Variant("Brisa Logistics"))));
    const auto documentsBefore = [&] {
        return Engine()->Db().execAndGet("SELECT count(*) FROM kelo_document").getInt();
    };
    const int before = documentsBefore();
    // Another user removes the company between the edit and the store.
    user.DeleteRecord("company", IdOf("company", "name", Variant("Brisa Logistics")));
    EXPECT_THROW(record->Update(), ComError);
    EXPECT_EQ(documentsBefore(), before);
    EXPECT_EQ(record->ID(), 0);
    EXPECT_EQ(document->ID(), 0);

    record->SetValue("company", Variant::Null());
    record->Update();
    EXPECT_EQ(documentsBefore(), before + 1);
    EXPECT_GT(document->ID(), 0);
}

TEST_F(RecordTest, RelationsReadAsIdsTextsAndLinkedRecords) {
    const auto maria = Load("person", IdOf("person", "email", Variant("maria.sjoberg@nordvik.se")));
    const std::int32_t nordvik = IdOf("company", "name", Variant("Nordvik Trading AB"));
    EXPECT_EQ(maria->Value("company").ToLong(), nordvik);
    EXPECT_EQ(maria->Text("company"), "Nordvik Trading AB");
    EXPECT_EQ(maria->Text("company.domain"), "nordvik.se");
    EXPECT_EQ(maria->Linked("company")->ID(), nordvik);
    EXPECT_THROW(maria->Linked("lastname"), ComError);

    const auto company = Load("company", nordvik);
    const auto persons = company->Value("persons").ToArray();
    EXPECT_EQ(persons.size(), 2u);
    EXPECT_EQ(company->Text("persons"), "Maria Sjöberg, Johan Ek");

    auto todo = NewRecord("todo");
    todo->SetValue("subject", Variant("Lunch"));
    todo->SetValue("person", Variant(maria));  // a record stands for its id
    EXPECT_EQ(todo->Value("person").ToLong(), maria->ID());
    EXPECT_EQ(Load("person", IdOf("person", "lastname", Variant("Dahl")))->Linked("company"), nullptr);
}

TEST_F(RecordTest, DeletingARecordEmptiesTheRelationsThatPointedToItAndAdvancesTheirTimeStamps) {
    const std::int32_t brisa = IdOf("company", "name", Variant("Brisa Logistics"));
    const std::int32_t paul = IdOf("person", "lastname", Variant("Okafor"));
    const Date before = Load("person", paul)->Timestamp();
    auto company = Load("company", brisa);
    company->Delete();
    EXPECT_THROW(company->Probe(), ComError);
    EXPECT_THROW(Load("company", brisa), ComError);
    const auto person = Load("person", paul);
    EXPECT_TRUE(person->Value("company").IsNull());
    EXPECT_GT(person->Timestamp(), before);
}

TEST_F(RecordTest, TheProbeFailsOnUnusableRecords) {
    auto empty = std::make_shared<Record>(Engine());
    EXPECT_THROW(empty->Probe(), ComError);
    EXPECT_THROW(empty->Value("lastname"), ComError);
    auto stale = Load("person", IdOf("person", "lastname", Variant("Dahl")));
    EXPECT_NO_THROW(stale->Probe());
    user.DeleteRecord("person", stale->ID());
    EXPECT_THROW(stale->Probe(), ComError);
    EXPECT_NO_THROW(NewRecord("person")->Probe());
}

TEST_F(RecordTest, DatesBeforeTheEpochDayKeepTheirOrder) {
    // Serials before 1899-12-30 count the time forward from a negative day,
    // so they do not order by value; the stored form must.
    const std::int32_t morning = NewToDoStarting(Date::FromParts(1899, 12, 29, 6))->ID();
    const std::int32_t evening = NewToDoStarting(Date::FromParts(1899, 12, 29, 18))->ID();
    auto filter = std::make_shared<Filter>();
    filter->Add("start", ostrellix::kelo::op::LaterThan, Variant(Date::FromParts(1899, 12, 29, 12)));
    filter->Add("subject", ostrellix::kelo::op::Equal, Variant("Early"));
    Records records(Engine());
    records.Open(Class("todo"), filter, {}, 0);
    ASSERT_EQ(records.Count(), 1);
    EXPECT_EQ(records.Item(1)->ID(), evening);
    EXPECT_EQ(Load("todo", morning)->Value("start").ToDate(), Date::FromParts(1899, 12, 29, 6));
}

TEST_F(RecordTest, TimesAndLinkingRecordsReadAsText) {
    auto meeting = NewRecord("todo");
    meeting->SetValue("subject", Variant("Early call"));
    meeting->SetValue("start", Variant(Date::FromParts(2024, 5, 3)));
    EXPECT_EQ(meeting->Text("start"), "2024-05-03");
    const auto company = Load("company", IdOf("company", "name", Variant("Nordvik Trading AB")));
    EXPECT_EQ(company->Text("persons.email"), "maria.sjoberg@nordvik.se, johan.ek@nordvik.se");
    EXPECT_THROW(company->Value("persons.email"), ComError);
}

TEST_F(RecordTest, AStoredDocumentGivenToAnotherRecordIsCopied) {
    const auto offer = Load("document", IdOf("document", "comment", Variant("Offer for the spring order")));
    const auto original = offer->Value("file").ToObjectAs<Document>();
    auto copy = NewRecord("document");
    copy->SetValue("file", Variant(original));
    copy->Update();
    const auto stored = Load("document", copy->ID())->Value("file").ToObjectAs<Document>();
    EXPECT_NE(stored->ID(), original->ID());
    EXPECT_EQ(stored->Data(), original->Data());
    // Deleting the first record takes only its own document.
    offer->Delete();
    EXPECT_EQ(Load("document", copy->ID())->Value("file").ToObjectAs<Document>()->Data(), stored->Data());
}

// With the clock standing still: across a second engine open on the same
// file, and after the file was closed, even when the record that carried
// the last time stamp was deleted.
TEST_F(RecordTest, TimeStampsStayAheadWhenTheDatabaseIsOpenedAgain) {
    const std::string path = (dir.Path() / "stamps.kelo").string();
    const auto store = [&](const std::shared_ptr<kelo::Engine>& engine, const char* name) {
        auto company = std::make_shared<Record>(engine);
        company->New(engine->Metadata().Require("company"));
        company->SetValue("name", Variant(name));
        company->Update();
        return company;
    };
    Date last;
    {
        auto engine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
        DemoData::CreateSchema(*engine);
        auto company = store(engine, "One");
        company->SetValue("name", Variant("Two"));
        company->Update();
        auto other = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
        auto gone = store(other, "Gone");
        EXPECT_GT(gone->Timestamp(), company->Timestamp());
        EXPECT_GT(store(engine, "Later")->Timestamp(), gone->Timestamp());
        auto latest = store(other, "Latest");
        last = latest->Timestamp();
        latest->Delete();
    }
    auto engine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
    EXPECT_GT(store(engine, "Three")->Timestamp(), last);
}

// A run sets every field it maps: fields set to the value they hold are not
// written, so their index entries stay as they are, yet the record is stored
// all the same, and another writer's change to such a field is overwritten
// as it would be had the field been written.
TEST_F(RecordTest, FieldsSetToTheValueTheyHoldAreStoredWithoutRewritingTheirColumns) {
    const std::string path = (dir.Path() / "shared.kelo").string();
    auto mine = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
    DemoData::CreateSchema(*mine);
    DemoData::Seed(mine);
    auto theirs = std::make_shared<kelo::Engine>(kelo::Engine::Setup{path, "", "", dir.Path()}, *clock);
    const auto load = [](const std::shared_ptr<kelo::Engine>& engine, std::int32_t id) {
        auto record = std::make_shared<Record>(engine);
        record->Load(engine->Metadata().Require("person"), id);
        return record;
    };
    auto dahl = std::make_shared<Record>(mine);
    dahl->New(mine->Metadata().Require("person"));
    dahl->SetValue("lastname", Variant("Dahl"));
    dahl->SetValue("email", Variant("dahl@example.org"));
    dahl->Update();
    const std::int32_t id = dahl->ID();

    // Only an unindexed field changes: as many pages as when nothing else is set.
    dahl->SetValue("jobtitle", Variant("Buyer"));
    const auto pagesWritten = [&] {
        int written = 0, highest = 0;
        sqlite3_db_status(mine->Db().getHandle(), SQLITE_DBSTATUS_CACHE_WRITE, &written, &highest, 1);
        return written;
    };
    pagesWritten();
    dahl->Update();
    const int alone = pagesWritten();
    dahl->SetValue("jobtitle", Variant("Head buyer"));
    dahl->SetValue("email", Variant("dahl@example.org"));
    dahl->SetValue("lastname", Variant("Dahl"));
    dahl->Update();
    EXPECT_EQ(pagesWritten(), alone);
    EXPECT_GT(alone, 0);

    // Set to the same value only: nothing changed, so nothing is stored and the time stamp stays.
    std::vector<Engine::RecordChange> told;
    const Connection listening = mine->RecordChanged.Connect([&](const Engine::RecordChange& change) { told.push_back(change); });
    const Date stamped = dahl->Timestamp();
    dahl->SetValue("email", Variant("dahl@example.org"));
    EXPECT_TRUE(dahl->HasChanges());
    pagesWritten();
    dahl->Update();
    EXPECT_FALSE(dahl->HasChanges());
    EXPECT_EQ(pagesWritten(), 0);
    EXPECT_EQ(load(theirs, id)->Timestamp(), stamped);
    EXPECT_TRUE(told.empty());
    // With one real change beside it, the record is stored and stamped.
    dahl->SetValue("email", Variant("dahl@example.org"));
    dahl->SetValue("jobtitle", Variant("Buyer"));
    dahl->Update();
    EXPECT_GT(load(theirs, id)->Timestamp(), stamped);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].kind, Engine::RecordChange::Kind::Modified);

    // Another client changes what my object still holds; I set the held values again.
    const auto other = load(theirs, id);
    other->SetValue("email", Variant("someone@example.org"));
    other->SetValue("lastname", Variant("DAHL"));  // a change of case is a change
    other->Update();
    dahl->SetValue("email", Variant("dahl@example.org"));
    dahl->SetValue("lastname", Variant("Dahl"));
    dahl->Update();
    EXPECT_EQ(load(theirs, id)->Text("email"), "dahl@example.org");
    EXPECT_EQ(load(theirs, id)->Text("lastname"), "Dahl");

    // Set to the held value first and to another one after: the last one is stored.
    dahl->SetValue("jobtitle", Variant("Buyer"));
    dahl->SetValue("jobtitle", Variant("Director"));
    dahl->Update();
    EXPECT_EQ(load(theirs, id)->Text("jobtitle"), "Director");
}

TEST(RecordValuesTest, FindsEachFieldWhateverOrderItWasSetIn) {
    // Fields added to a class later have higher ids but may stand anywhere in its field list.
    RecordValues values;
    for (const std::int32_t id : {4, 9, 2, 7, 1, 12}) values.Set(id, Variant(id * 10));
    values.Set(7, Variant("replaced"));
    for (const std::int32_t id : {1, 2, 4, 9, 12}) {
        ASSERT_NE(values.Find(id), nullptr) << id;
        EXPECT_EQ(values.Find(id)->ToLong(), id * 10) << id;
    }
    EXPECT_EQ(values.Find(7)->ToString(), "replaced");
    for (const std::int32_t id : {0, 3, 13}) EXPECT_EQ(values.Find(id), nullptr) << id;
    values.Clear();
    EXPECT_EQ(values.Find(4), nullptr);
}

}  // namespace
}  // namespace ostrellix::standin::kelo
