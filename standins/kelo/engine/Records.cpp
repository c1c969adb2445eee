#include "standins/kelo/engine/Records.h"

#include "contracts/kelo/IExplorer.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Pool.h"
#include "standins/kelo/engine/RecordStore.h"
#include "standins/kelo/engine/Schema.h"

namespace ostrellix::standin::kelo {

void Records::Fill(const Ptr<Class>& cls, std::vector<RecordRow> rows) {
    records_.clear();
    records_.reserve(rows.size());
    for (RecordRow& row : rows) records_.push_back(Record::FromRow(engine_, cls, std::move(row)));
}

void Records::Open(const Ptr<ostrellix::kelo::IClass>& cls, const Ptr<ostrellix::kelo::IFilter>& filter,
                   const std::vector<std::string>& fields, std::int32_t maxRows) {
    const Ptr<Class> own = engine_->Metadata().Own(cls);
    SqlCondition where;
    if (filter) {
        const auto ownFilter = std::dynamic_pointer_cast<Filter>(filter);
        if (!ownFilter) {
            throw ComError(errors::TypeMismatch, kEngineSource, "Type mismatch: the filter is not a \"QVR.Filter\"");
        }
        where = ownFilter->Sql(own);
    }
    Fill(own, RecordStore(*engine_).Select(own, where, fields, maxRows));
}

void Records::OpenPool(const Ptr<ostrellix::kelo::IClass>& cls, const Ptr<ostrellix::kelo::IPool>& pool,
                       const std::vector<std::string>& fields, std::int32_t maxRows) {
    const Ptr<Class> own = engine_->Metadata().Own(cls);
    if (!pool) RaiseRuntimeError(errors::ObjectVariableNotSet);
    const std::string ids = Pool::Json(pool);
    Fill(own, RecordStore(*engine_).Select(own, {}, fields, maxRows, &ids));
}

void Records::LoadFromSelection(const Ptr<ostrellix::kelo::IExplorer>& explorer,
                                const std::vector<std::string>& fields) {
    if (!explorer) RaiseRuntimeError(errors::ObjectVariableNotSet);
    auto pool = std::make_shared<Pool>();
    const Ptr<ostrellix::kelo::ISelection> selection = explorer->Selection();
    for (std::int32_t i = 1; selection && i <= selection->Count(); ++i) pool->Add(selection->Item(i)->ID());
    OpenPool(explorer->Class(), pool, fields, 0);
}

void Records::Add(const Ptr<ostrellix::kelo::IRecord>& record) {
    if (!record) RaiseRuntimeError(errors::ObjectVariableNotSet);
    records_.push_back(record);
}

Ptr<ostrellix::kelo::IRecord> Records::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return records_[static_cast<std::size_t>(index - 1)];
}

}  // namespace ostrellix::standin::kelo
