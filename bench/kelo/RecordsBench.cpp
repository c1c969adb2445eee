// Reading records from the data engine at the scale of a large customer
// database: 100,000 persons, 10,000 of them opened by a pool, and a search
// on the indexed e-mail field.

#include <benchmark/benchmark.h>

#include <memory>

#include "contracts/kelo/Codes.h"
#include "standins/kelo/engine/DemoData.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Pool.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Records.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/system/ManualClock.h"

namespace {

using namespace ostrellix;
using namespace ostrellix::standin::kelo;

constexpr std::int32_t kPersons = 100000;

struct Database {
    standin::system::ManualClock clock{Date::FromParts(2024, 5, 1, 9)};
    std::shared_ptr<Engine> engine;
    std::vector<std::int32_t> ids;

    Database() {
        engine = std::make_shared<Engine>(Engine::Setup{}, clock);
        DemoData::CreateSchema(*engine);
        const Ptr<Class> persons = engine->Metadata().Require("person");
        engine->Transact([&] {
            for (std::int32_t i = 0; i < kPersons; ++i) {
                auto record = std::make_shared<Record>(engine);
                record->New(persons);
                record->SetValue("firstname", Variant("First" + std::to_string(i)));
                record->SetValue("lastname", Variant("Last" + std::to_string(i)));
                record->SetValue("email", Variant("person" + std::to_string(i) + "@example.com"));
                record->SetValue("phone", Variant("+46 8 555 " + std::to_string(i)));
                record->Update();
                ids.push_back(record->ID());
            }
        });
    }

    static Database& Instance() {
        static Database database;
        return database;
    }
};

void OpenTenThousandByPool(benchmark::State& state) {
    Database& database = Database::Instance();
    auto pool = std::make_shared<Pool>();
    for (std::size_t i = 0; i < database.ids.size(); i += 10) pool->Add(database.ids[i]);
    const Ptr<Class> persons = database.engine->Metadata().Require("person");
    std::int64_t statements = 0;
    for (auto _ : state) {
        const std::int64_t before = database.engine->StatementsRun();
        Records records(database.engine);
        records.OpenPool(persons, pool, {}, 0);
        if (records.Count() != 10000) state.SkipWithError("wrong number of records");
        benchmark::DoNotOptimize(records.Item(10000)->ID());
        statements = database.engine->StatementsRun() - before;
    }
    state.counters["records"] = 10000;
    state.counters["statements"] = static_cast<double>(statements);
}
BENCHMARK(OpenTenThousandByPool)->Unit(benchmark::kMillisecond);

void FilterOnEmail(benchmark::State& state) {
    Database& database = Database::Instance();
    const Ptr<Class> persons = database.engine->Metadata().Require("person");
    std::int32_t n = 0;
    for (auto _ : state) {
        auto filter = std::make_shared<Filter>();
        filter->Add("email", ostrellix::kelo::op::Equal, Variant("PERSON" + std::to_string(n * 7919 % kPersons) + "@example.com"));
        Records records(database.engine);
        records.Open(persons, filter, {}, 2);
        if (records.Count() != 1) state.SkipWithError("the address was not found once");
        ++n;
    }
}
BENCHMARK(FilterOnEmail)->Unit(benchmark::kMicrosecond);

}  // namespace
