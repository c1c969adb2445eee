#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "contracts/kelo/IFields.h"
#include "standins/kelo/engine/Field.h"

namespace ostrellix::standin::kelo {

// The fields of one class in the order they were added; it owns them.
class Fields final : public ostrellix::kelo::IFields {
public:
    std::int32_t Count() override { return static_cast<std::int32_t>(fields_.size()); }
    Ptr<ostrellix::kelo::IField> Item(std::int32_t index) override;
    Ptr<ostrellix::kelo::IField> FindByName(std::string_view name) override { return Named(name); }
    Ptr<ostrellix::kelo::IField> FindByLabel(std::int32_t label) override;
    Ptr<ostrellix::kelo::IField> FindByType(std::int32_t type) override;
    Ptr<ostrellix::kelo::IField> FindByRelatedClass(const Ptr<ostrellix::kelo::IClass>& relatedClass) override;
    Ptr<ostrellix::kelo::IField> FindByRelatedField(const Ptr<ostrellix::kelo::IField>& field) override;

    const std::vector<Ptr<Field>>& List() const { return fields_; }
    Ptr<Field> Named(std::string_view name) const;
    void Append(Ptr<Field> field);

private:
    std::vector<Ptr<Field>> fields_;
    // By name in lower case: a run looks names up thousands of times, and a
    // scan comparing each without regard to case was a good part of it.
    std::unordered_map<std::string, Ptr<Field>> byName_;
};

}  // namespace ostrellix::standin::kelo
