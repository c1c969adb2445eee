#include "standins/kelo/engine/ConditionSql.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IRecord.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/FieldCodec.h"
#include "standins/kelo/engine/FieldPath.h"

namespace ostrellix::standin::kelo {

namespace {

namespace op = ostrellix::kelo::op;

// A record given as a value stands for its id.
Variant Plain(const Variant& value) {
    if (value.IsObject() && !value.IsNothing()) {
        if (const auto record = value.ToObjectAs<ostrellix::kelo::IRecord>()) return Variant(record->ID());
    }
    return value.IsNothing() ? Variant::Null() : value;
}

// The test of one value of a record under `alias`.
std::string Comparison(const std::string& alias, FieldPath::Kind kind, const Ptr<Field>& field,
                       const std::string& name, std::int32_t code, const Variant& raw,
                       std::vector<SqlValue>& parameters) {
    const Variant value = Plain(raw);
    std::string column;
    SqlValue parameter;
    switch (kind) {
        case FieldPath::Kind::Id:
            column = alias + ".id";
            if (!value.IsNull()) parameter = std::int64_t(value.ToLong());
            break;
        case FieldPath::Kind::Timestamp:
            column = alias + ".timestamp";
            if (!value.IsNull()) parameter = FieldCodec::DateToColumn(value.ToDate());
            break;
        case FieldPath::Kind::Field:
            if (field->IsRelationToMany() || field->IsDocument()) {
                RaiseEngineError(engineerror::BadPath,
                                 "The field " + Quoted(name) + " cannot be compared in a filter" +
                                     (field->IsRelationToMany() ? "; name a field of the linked records (\"" + name +
                                                                      ".field\")"
                                                                : std::string()));
            }
            column = alias + "." + field->Column();
            if (code == op::Contains) {
                if (!field->IsText()) {
                    throw ComError(errors::TypeMismatch, kEngineSource,
                                   "Type mismatch: a partial match needs a text field, and " + Quoted(name) +
                                       " is not one");
                }
                parameter = value.ToString();
            } else {
                parameter = FieldCodec::ToColumn(*field, value);
            }
            break;
        default:
            RaiseEngineError(engineerror::BadPath, Quoted(name) + " cannot be used in a filter");
    }
    const bool none = std::holds_alternative<std::monostate>(parameter);
    switch (code) {
        case op::Equal:
            if (none) return column + " IS NULL";
            parameters.push_back(std::move(parameter));
            return column + " = ?";
        case op::LaterThan:
            if (none) {
                throw ComError(errors::InvalidUseOfNull, kEngineSource,
                               "Invalid use of Null: " + Quoted(name) + " cannot be later than no value");
            }
            parameters.push_back(std::move(parameter));
            return column + " > ?";
        default:
            parameters.push_back(std::move(parameter));
            return "kelo_contains(" + column + ", ?)";
    }
}

}  // namespace

std::string ConditionSql::Make(const Ptr<Class>& cls, const std::string& fieldOrPath, std::int32_t code,
                               const Variant& value, std::vector<SqlValue>& parameters) {
    const FieldPath path = FieldPath::Resolve(cls, fieldOrPath);
    if (path.kind != FieldPath::Kind::Path) {
        return Comparison("r", path.kind, path.field, fieldOrPath, code, value, parameters);
    }
    const std::string test = Comparison("t", path.targetKind, path.target, fieldOrPath, code, value, parameters);
    // Written as "IN (subquery)" rather than a correlated EXISTS: SQLite then
    // runs the linked class's test once, through its indexes, and looks the
    // records up by id or by the indexed relation column, instead of
    // probing the linked class once per record of this one.
    if (path.field->IsRelationToOne()) {
        return "r." + path.field->Column() + " IN (SELECT t.id FROM " + path.TargetClass()->Table() + " t WHERE " +
               test + ")";
    }
    return "r.id IN (SELECT t." + path.field->CounterpartField()->Column() + " FROM " +
           path.TargetClass()->Table() + " t WHERE " + test + ")";
}

}  // namespace ostrellix::standin::kelo
