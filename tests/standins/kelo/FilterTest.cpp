#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <set>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Pool.h"
#include "standins/kelo/engine/Records.h"
#include "standins/kelo/engine/StoredFilters.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

namespace op = ostrellix::kelo::op;
namespace logic = ostrellix::kelo::logic;

class FilterTest : public KeloFixture {
protected:
    // Descriptive texts of the class's records that meet the conditions.
    std::vector<std::string> Matching(std::string_view className, const Ptr<Filter>& filter, std::int32_t maxRows = 0) {
        Records records(Engine());
        records.Open(Class(className), filter, {}, maxRows);
        std::vector<std::string> found;
        for (std::int32_t i = 1; i <= records.Count(); ++i) found.push_back(records.Item(i)->Descriptive());
        return found;
    }
    Ptr<Filter> Where(std::string_view field, std::int32_t code, const Variant& value) {
        auto filter = std::make_shared<Filter>();
        filter->Add(field, code, value);
        return filter;
    }
    using Names = std::vector<std::string>;
};

TEST_F(FilterTest, EqualityIgnoresCaseOverAllOfUnicode) {
    EXPECT_EQ(Matching("person", Where("email", op::Equal, Variant("MARIA.SJOBERG@NORDVIK.SE"))), Names{"Maria Sjöberg"});
    EXPECT_EQ(Matching("person", Where("lastname", op::Equal, Variant("SJÖBERG"))), Names{"Maria Sjöberg"});
    EXPECT_EQ(Matching("person", Where("lastname", op::Equal, Variant("Sjöber"))), Names{});
    EXPECT_EQ(Matching("person", Where("company", op::Equal, Variant::Null())), Names{"Sofie Dahl"});
    EXPECT_EQ(Matching("todo", Where("done", op::Equal, Variant(false))).size(), 2u);
}

TEST_F(FilterTest, LaterThanComparesDatesAndTimeStamps) {
    EXPECT_EQ(Matching("todo", Where("start", op::LaterThan, Variant(Date::FromParts(2024, 5, 3)))),
              Names{"Send the price list to Brisa"});
    auto lena = Load("person", IdOf("person", "lastname", Variant("Virtanen")));
    clock->AdvanceSeconds(5);
    const Date mark = clock->Now();
    clock->AdvanceSeconds(5);
    lena->SetValue("nickname", Variant("Lenni"));
    lena->Update();
    EXPECT_EQ(Matching("person", Where("timestamp", op::LaterThan, Variant(mark))), Names{"Lena Virtanen"});
    EXPECT_THROW(Matching("person", Where("birthday", op::LaterThan, Variant::Null())), ComError);
}

TEST_F(FilterTest, PartialMatchFindsTextAnywhereWithoutRegardToCase) {
    EXPECT_EQ(Matching("person", Where("email", op::Contains, Variant("@NORDVIK"))), (Names{"Maria Sjöberg", "Johan Ek"}));
    EXPECT_EQ(Matching("company", Where("name", op::Contains, Variant("konsult"))), Names{"Tallbacka Konsult"});
    EXPECT_THROW(Matching("todo", Where("start", op::Contains, Variant("2024"))), ComError);
}

TEST_F(FilterTest, RelationPathsTestLinkedRecordsInBothDirections) {
    // To one: persons whose company has this domain.
    EXPECT_EQ(Matching("person", Where("company.domain", op::Equal, Variant("tallbacka.com"))), Names{"Lena Virtanen"});
    // To many: the company that has a person with exactly this address.
    EXPECT_EQ(Matching("company", Where("persons.email", op::Equal, Variant("johan.ek@nordvik.se"))),
              Names{"Nordvik Trading AB"});
    // To many, partial: a company with any person at the domain.
    EXPECT_EQ(Matching("company", Where("persons.email", op::Contains, Variant("@brisa-logistics.com"))),
              Names{"Brisa Logistics"});
    EXPECT_EQ(Matching("todo", Where("responsible.lastname", op::Equal, Variant("holm"))),
              Names{"Send the price list to Brisa"});
    for (const char* bad : {"company.nosuch", "lastname.name", "a.b.c", ".name", "persons"}) {
        EXPECT_THROW(Matching(bad[0] == 'p' ? "company" : "person", Where(bad, op::Equal, Variant("x"))), ComError)
            << bad;
    }
}

TEST_F(FilterTest, ConditionsAddUpAndCombineWithOr) {
    auto filter = Where("email", op::Contains, Variant("nordvik"));
    filter->Add("firstname", op::Equal, Variant("johan"));
    EXPECT_EQ(Matching("person", filter), Names{"Johan Ek"});

    auto either = Where("lastname", op::Equal, Variant("Dahl"));
    either->Add("lastname", op::Equal, Variant("Okafor"));
    either->Combine(logic::Or);
    EXPECT_EQ(either->Count(), 1);
    EXPECT_EQ(Matching("person", either), (Names{"Paul Okafor", "Sofie Dahl"}));
    either->Add("email", op::Contains, Variant("example.org"));
    EXPECT_EQ(Matching("person", either), Names{"Sofie Dahl"});
    EXPECT_EQ(either->Description(), "(lastname = \"Dahl\" or lastname = \"Okafor\") and email contains \"example.org\"");
    EXPECT_THROW(either->Combine(3), ComError);
    EXPECT_THROW(either->Add("email", 7, Variant("x")), ComError);
}

TEST_F(FilterTest, APoolLimitsTheRecordsAndSetsTheirOrder) {
    const std::int32_t dahl = IdOf("person", "lastname", Variant("Dahl"));
    const std::int32_t ek = IdOf("person", "lastname", Variant("Ek"));
    auto pool = std::make_shared<Pool>();
    pool->Add(dahl);
    pool->Add(ek);
    pool->Add(dahl);
    pool->Add(424242);
    EXPECT_EQ(pool->Count(), 3);
    Records records(Engine());
    records.OpenPool(Class("person"), pool, {"company.name"}, 0);
    ASSERT_EQ(records.Count(), 2);
    EXPECT_EQ(records.Item(1)->ID(), dahl);
    EXPECT_EQ(records.Item(2)->ID(), ek);
    EXPECT_EQ(records.Item(2)->Value("company.name").ToString(), "Nordvik Trading AB");
    EXPECT_TRUE(records.Item(1)->Value("company.name").IsNull());
    EXPECT_THROW(records.Item(3), ComError);

    // A pool inside a filter, beside another condition.
    auto filter = Where("email", op::Contains, Variant("nordvik"));
    filter->AddPool(pool);
    filter->Combine(logic::And);
    EXPECT_EQ(Matching("person", filter), Names{"Johan Ek"});
    pool->Remove(ek);
    EXPECT_EQ(Matching("person", filter), Names{});
}

TEST_F(FilterTest, RowLimitAndFieldListsWithPaths) {
    EXPECT_EQ(Matching("person", nullptr, 2).size(), 2u);
    Records records(Engine());
    EXPECT_THROW(records.Open(Class("company"), nullptr, {"persons.email"}, 0), ComError);
    EXPECT_THROW(records.Open(Class("person"), nullptr, {"nosuch"}, 0), ComError);
}

TEST_F(FilterTest, OpeningByPoolIsAHandfulOfStatementsAndEmailFiltersUseTheirIndex) {
    auto pool = std::make_shared<Pool>();
    for (std::int32_t id = 1; id <= 500; ++id) pool->Add(id);
    const std::int64_t before = Engine()->StatementsRun();
    Records records(Engine());
    records.OpenPool(Class("person"), pool, {"company.name"}, 0);
    EXPECT_EQ(records.Count(), 5);
    EXPECT_LE(Engine()->StatementsRun() - before, 2);

    // The plan of the SQL an e-mail filter makes searches the index.
    std::vector<SqlValue> parameters;
    const SqlCondition where = Where("email", op::Equal, Variant("x@y.se"))->Sql(Class("person"));
    SQLite::Statement plan(Engine()->Db(), "EXPLAIN QUERY PLAN SELECT r.id FROM " + Class("person")->Table() +
                                               " r WHERE " + where.sql);
    std::string detail;
    while (plan.executeStep()) detail += plan.getColumn(3).getString() + "\n";
    EXPECT_NE(detail.find("INDEX " + Class("person")->Table() + "_f"), std::string::npos) << detail;
}

// Stored filters come back in the order of their names, each a filter of
// its own that finds what the stored one found: groups, pools, dates and a
// record as a value (kept as its id) included.
TEST_F(FilterTest, StoredFiltersComeBackAsFiltersOfTheirOwn) {
    auto either = Where("lastname", op::Equal, Variant("Dahl"));
    either->Add("lastname", op::Equal, Variant("Okafor"));
    either->Combine(logic::Or);
    either->Add("email", op::Contains, Variant("example.org"));
    auto pool = std::make_shared<Pool>();
    pool->Add(IdOf("person", "lastname", Variant("Ek")));
    pool->Add(IdOf("person", "lastname", Variant("Sjöberg")));
    auto nordvik = Where("company", op::Equal,
                         Variant(ObjectPtr(Load("company", IdOf("company", "name", Variant("Nordvik Trading AB"))))));
    nordvik->AddPool(pool);
    auto later = Where("start", op::LaterThan, Variant(Date::FromParts(2024, 5, 3)));

    StoredFilters::Store(*Engine(), *Class("person"), "spring", *either);
    StoredFilters::Store(*Engine(), *Class("person"), "Autumn", *nordvik);
    StoredFilters::Store(*Engine(), *Class("todo"), "Later", *later);
    const auto stored = StoredFilters::Of(Engine(), *Class("person"));
    ASSERT_EQ(stored->Count(), 2);
    EXPECT_EQ(stored->Name(1), "Autumn");
    EXPECT_EQ(stored->Name(2), "spring");
    const auto back = [&](const Ptr<StoredFilters>& filters, std::int32_t i) {
        return std::dynamic_pointer_cast<Filter>(filters->Filter(i));
    };
    EXPECT_EQ(back(stored, 2)->Description(), either->Description());
    EXPECT_EQ(Matching("person", back(stored, 2)), Matching("person", either));
    EXPECT_EQ(Matching("person", back(stored, 1)), (Names{"Maria Sjöberg", "Johan Ek"}));
    EXPECT_EQ(Matching("todo", back(StoredFilters::Of(Engine(), *Class("todo")), 1)),
              Names{"Send the price list to Brisa"});

    // A filter handed out is the caller's own; storing under a name in
    // other letters replaces what the name held.
    const auto mine = back(stored, 2);
    mine->Add("firstname", op::Equal, Variant("nobody"));
    EXPECT_EQ(back(stored, 2)->Description(), either->Description());
    StoredFilters::Store(*Engine(), *Class("person"), "SPRING", *later);
    const auto again = StoredFilters::Of(Engine(), *Class("person"));
    ASSERT_EQ(again->Count(), 2);
    EXPECT_EQ(again->Name(2), "spring");
    EXPECT_EQ(back(again, 2)->Description(), later->Description());
    EXPECT_THROW(again->Name(3), ComError);
    EXPECT_THROW(StoredFilters::Store(*Engine(), *Class("person"), "", *later), ComError);

    // What is stored and is not a filter is refused when it is read.
    Engine()->Db().exec("UPDATE kelo_filter SET terms = '[{\"field\": 1}' WHERE name = 'Autumn'");
    EXPECT_THROW(StoredFilters::Of(Engine(), *Class("person"))->Filter(1), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::kelo
