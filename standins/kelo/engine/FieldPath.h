#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

// A name a caller gives for a value of a record, resolved against a class:
// a field ("email"), a relation path (a relation field, a point, a field of
// the related class: "company.name", "persons.email"), or one of the values
// every record has: "id" (also "id" + class name, "idperson"), "timestamp"
// and "descriptive". Anything else is a clear error naming the class.
struct FieldPath {
    enum class Kind { Id, Timestamp, Descriptive, Field, Path };

    static FieldPath Resolve(const Ptr<Class>& cls, std::string_view name);
    // The same without raising: nothing when the name resolves to nothing.
    static std::optional<FieldPath> Find(const Ptr<Class>& cls, std::string_view name);

    Kind kind = Kind::Field;
    std::string text;        // as the caller wrote it
    Ptr<Field> field;  // Field: the field; Path: the relation
    // Path: what is read in the related class (Field, Id, Timestamp or Descriptive).
    Kind targetKind = Kind::Field;
    Ptr<Field> target;

    // Path: the related class. Not held here: classes keep the paths
    // resolved against them, and two related classes would hold each other.
    Ptr<Class> TargetClass() const { return field->RelatedClass(); }
};

}  // namespace ostrellix::standin::kelo
