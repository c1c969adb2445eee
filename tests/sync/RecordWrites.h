#pragma once

#include <string>
#include <vector>

#include "contracts/kelo/IRecord.h"

namespace ostrellix::testing {

// A record of the data engine that notes which fields are written, in
// order: the engine keeps values, not the order they came in.
class RecordWrites final : public kelo::IRecord {
public:
    explicit RecordWrites(Ptr<kelo::IRecord> record) : record_(std::move(record)) {}

    std::vector<std::string> written;

    void SetValue(std::string_view field, const Variant& value) override {
        written.emplace_back(field);
        record_->SetValue(field, value);
    }

    void New(const Ptr<kelo::IClass>& cls) override { record_->New(cls); }
    void Load(const Ptr<kelo::IClass>& cls, std::int32_t id) override { record_->Load(cls, id); }
    Ptr<kelo::IClass> Class() override { return record_->Class(); }
    std::int32_t ID() override { return record_->ID(); }
    std::int32_t State() override { return record_->State(); }
    Date Timestamp() override { return record_->Timestamp(); }
    std::string Text(std::string_view field) override { return record_->Text(field); }
    Variant Value(std::string_view field) override { return record_->Value(field); }
    Ptr<kelo::IRecord> Linked(std::string_view field) override { return record_->Linked(field); }
    std::string Descriptive() override { return record_->Descriptive(); }
    std::string Merge(std::string_view text, std::int32_t mode) override { return record_->Merge(text, mode); }
    bool HasChanges() override { return record_->HasChanges(); }
    void Check() override { record_->Check(); }
    void Update() override { record_->Update(); }
    void Probe() override { record_->Probe(); }

private:
    Ptr<kelo::IRecord> record_;
};

}  // namespace ostrellix::testing
