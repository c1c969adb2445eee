#include "standins/kelo/engine/Field.h"

#include "runtime/Text.h"
#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

namespace fieldtype = ostrellix::kelo::fieldtype;

Field::Field(std::int32_t id, const Ptr<kelo::Class>& owner, FieldSpec spec)
    : id_(id), owner_(owner), spec_(std::move(spec)) {
    if (spec_.localName.empty()) spec_.localName = spec_.name;
}

Variant::Type Field::ValueType() {
    switch (spec_.type) {
        case fieldtype::Integer:
        case fieldtype::RelationToOne: return Variant::Type::Long;
        case fieldtype::Number: return Variant::Type::Double;
        case fieldtype::Time:
        case fieldtype::Date:
        case fieldtype::DateTime: return Variant::Type::Date;
        case fieldtype::YesNo: return Variant::Type::Boolean;
        case fieldtype::RelationToMany: return Variant::Type::Array;
        case fieldtype::Document: return Variant::Type::Object;
        default: return Variant::Type::String;
    }
}

Ptr<ostrellix::kelo::IClass> Field::Class() { return owner_.lock(); }

Variant Field::Attribute(std::string_view name) {
    for (const auto& [key, value] : spec_.attributes) {
        if (text::EqualsIgnoreCase(key, name)) return value;
    }
    return {};
}

Ptr<kelo::Class> Field::Owner() const { return owner_.lock(); }

Ptr<kelo::Class> Field::RelatedClass() const {
    const Ptr<Field> counterpart = CounterpartField();
    return counterpart ? counterpart->Owner() : nullptr;
}

bool Field::IsText() const {
    return spec_.type == fieldtype::Text || spec_.type == fieldtype::LongText || spec_.type == fieldtype::EMail ||
           spec_.type == fieldtype::Memo;
}

bool Field::IsDate() const {
    return spec_.type == fieldtype::Time || spec_.type == fieldtype::Date || spec_.type == fieldtype::DateTime;
}

bool Field::IsRelationToOne() const { return spec_.type == fieldtype::RelationToOne; }
bool Field::IsRelationToMany() const { return spec_.type == fieldtype::RelationToMany; }
bool Field::IsDocument() const { return spec_.type == fieldtype::Document; }

bool Field::IsIndexed() const {
    return spec_.indexed || spec_.type == fieldtype::EMail || spec_.type == fieldtype::RelationToOne;
}

}  // namespace ostrellix::standin::kelo
