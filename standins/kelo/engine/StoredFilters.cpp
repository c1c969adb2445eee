#include "standins/kelo/engine/StoredFilters.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "runtime/ComError.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Filter.h"

namespace ostrellix::standin::kelo {

Ptr<StoredFilters> StoredFilters::Of(const std::shared_ptr<Engine>& engine, const Class& cls) {
    auto stored = std::make_shared<StoredFilters>();
    engine->Guard("reading the stored filters", [&] {
        SQLite::Statement query(
            engine->Db(), "SELECT name, terms FROM kelo_filter WHERE class_id = ? ORDER BY name COLLATE KELO_NOCASE");
        query.bind(1, cls.Id());
        while (query.executeStep())
            stored->filters_.emplace_back(query.getColumn(0).getString(), query.getColumn(1).getString());
    });
    return stored;
}

void StoredFilters::Store(Engine& engine, const Class& cls, std::string_view name, const kelo::Filter& filter) {
    if (name.empty()) RaiseEngineError(engineerror::CheckFailed, "A stored filter needs a name");
    const std::string terms = filter.Json();
    engine.Transact([&] {
        SQLite::Statement store(engine.Db(),
                                "INSERT INTO kelo_filter(class_id, name, terms) VALUES(?, ?, ?) "
                                "ON CONFLICT(class_id, name) DO UPDATE SET terms = excluded.terms");
        store.bind(1, cls.Id());
        store.bind(2, std::string(name));
        store.bind(3, terms);
        store.exec();
    });
}

const std::pair<std::string, std::string>& StoredFilters::At(std::int32_t index) const {
    if (index < 1 || index > static_cast<std::int32_t>(filters_.size())) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return filters_[static_cast<std::size_t>(index - 1)];
}

std::string StoredFilters::Name(std::int32_t index) { return At(index).first; }

Ptr<ostrellix::kelo::IFilter> StoredFilters::Filter(std::int32_t index) {
    return kelo::Filter::FromJson(At(index).second);
}

}  // namespace ostrellix::standin::kelo
