#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IField.h"

namespace ostrellix::standin::kelo {

class Class;

// What a field is made of, for the schema-building API.
struct FieldSpec {
    std::string name;       // an identifier: letters, digits, "_"; not "id", "timestamp" or "descriptive"
    std::string localName{};  // the name when empty
    std::int32_t label = 0;
    std::int32_t type = ostrellix::kelo::fieldtype::Text;  // relations: Schema::AddRelation
    std::int32_t maxLength = 0;
    bool required = false;  // the data engine's check refuses a record without a value
    bool excluded = false;
    bool indexed = false;  // e-mail fields and relations to one are always indexed
    std::vector<std::pair<std::string, Variant>> attributes{};
};

// One field of a class. Values of a field live in the column "f<id>" of the
// class's table; a relation to many has no column (its counterpart, a
// relation to one in the other class, holds the link).
class Field final : public ostrellix::kelo::IField {
public:
    Field(std::int32_t id, const Ptr<kelo::Class>& owner, FieldSpec spec);

    std::string Name() override { return spec_.name; }
    std::string LocalName() override { return spec_.localName; }
    std::int32_t Label() override { return spec_.label; }
    std::int32_t Type() override { return spec_.type; }
    Variant::Type ValueType() override;
    std::int32_t MaxLength() override { return spec_.maxLength; }
    Ptr<ostrellix::kelo::IClass> Class() override;
    Ptr<ostrellix::kelo::IField> Counterpart() override { return counterpart_.lock(); }
    bool Excluded() override { return spec_.excluded; }
    Variant Attribute(std::string_view name) override;

    std::int32_t Id() const { return id_; }
    const FieldSpec& Spec() const { return spec_; }
    std::string Column() const { return "f" + std::to_string(id_); }
    Ptr<kelo::Class> Owner() const;
    Ptr<Field> CounterpartField() const { return counterpart_.lock(); }
    // The class on the other side of a relation; nothing for other fields.
    Ptr<kelo::Class> RelatedClass() const;
    void SetCounterpart(const Ptr<Field>& counterpart) { counterpart_ = counterpart; }

    bool IsText() const;
    bool IsDate() const;
    bool IsRelationToOne() const;
    bool IsRelationToMany() const;
    bool IsDocument() const;
    bool HasColumn() const { return !IsRelationToMany(); }
    bool IsIndexed() const;

private:
    std::int32_t id_;
    std::weak_ptr<kelo::Class> owner_;
    FieldSpec spec_;
    std::weak_ptr<Field> counterpart_;
};

}  // namespace ostrellix::standin::kelo
