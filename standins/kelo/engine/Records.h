#pragma once

#include <memory>
#include <vector>

#include "contracts/kelo/IRecords.h"
#include "standins/kelo/engine/Record.h"

namespace ostrellix::standin::kelo {

class Engine;

// An ordered set of records ("QVR.Records"). Every Open reads its records
// with one statement: by filter in id order, by pool in the pool's order,
// from a list window's selection in selection order.
class Records final : public ostrellix::kelo::IRecords {
public:
    explicit Records(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {}

    void Open(const Ptr<ostrellix::kelo::IClass>& cls, const Ptr<ostrellix::kelo::IFilter>& filter,
              const std::vector<std::string>& fields, std::int32_t maxRows) override;
    void OpenPool(const Ptr<ostrellix::kelo::IClass>& cls, const Ptr<ostrellix::kelo::IPool>& pool,
                  const std::vector<std::string>& fields, std::int32_t maxRows) override;
    void LoadFromSelection(const Ptr<ostrellix::kelo::IExplorer>& explorer,
                           const std::vector<std::string>& fields) override;
    void Add(const Ptr<ostrellix::kelo::IRecord>& record) override;
    std::int32_t Count() override { return static_cast<std::int32_t>(records_.size()); }
    Ptr<ostrellix::kelo::IRecord> Item(std::int32_t index) override;

private:
    void Fill(const Ptr<Class>& cls, std::vector<RecordRow> rows);

    std::shared_ptr<Engine> engine_;
    std::vector<Ptr<ostrellix::kelo::IRecord>> records_;
};

}  // namespace ostrellix::standin::kelo
