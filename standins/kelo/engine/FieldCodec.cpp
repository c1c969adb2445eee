#include "standins/kelo/engine/FieldCodec.h"

#include <cmath>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/EngineError.h"

namespace ostrellix::standin::kelo {

namespace {

namespace fieldtype = ostrellix::kelo::fieldtype;

std::string FieldName(const Field& field) {
    return Quoted(field.Spec().name) + " of " + Quoted(field.Owner()->Spec().name);
}

const char* KindName(const Field& field) {
    switch (field.Spec().type) {
        case fieldtype::Integer: return "a whole number";
        case fieldtype::Number: return "a number";
        case fieldtype::Time: return "a time";
        case fieldtype::Date: return "a date";
        case fieldtype::DateTime: return "a date and time";
        case fieldtype::YesNo: return "yes or no";
        case fieldtype::RelationToOne: return "a record id";
        default: return "text";
    }
}

[[noreturn]] void Mismatch(const Field& field, const Variant& value, std::int32_t number) {
    const std::string shown =
        value.IsObject() ? std::string("an object") : value.IsArray() ? std::string("a list") : Quoted(value.ToString());
    throw ComError(number, kEngineSource,
                   "Type mismatch: the field " + FieldName(field) + " takes " + KindName(field) + ", not " + shown);
}

// The value converted by `convert`; a conversion error becomes a type
// mismatch (or overflow) naming the field and the value.
template <class Convert>
auto Converted(const Field& field, const Variant& value, Convert&& convert) {
    try {
        return convert();
    } catch (...) {
        const ComError error = CurrentError();
        Mismatch(field, value, error.Number() == errors::Overflow ? errors::Overflow : errors::TypeMismatch);
    }
}

}  // namespace

double FieldCodec::DateToColumn(Date date) {
    const double serial = date.Serial();
    if (serial >= 0) return serial;
    const double day = std::trunc(serial);
    return day + std::fabs(serial - day);
}

Date FieldCodec::DateFromColumn(double column) {
    if (column >= 0) return Date(column);
    const double day = std::floor(column);
    return Date(day - (column - day));
}

SqlValue FieldCodec::ToColumn(Field& field, const Variant& value) {
    if (value.IsEmpty() || value.IsNull()) return {};
    if (value.IsArray() || value.IsObject()) Mismatch(field, value, errors::TypeMismatch);
    switch (field.Spec().type) {
        case fieldtype::Integer:
        case fieldtype::RelationToOne:
            return std::int64_t(Converted(field, value, [&] { return value.ToLong(); }));
        case fieldtype::Number: return Converted(field, value, [&] { return value.ToDouble(); });
        case fieldtype::YesNo: return std::int64_t(Converted(field, value, [&] { return value.ToBoolean(); }) ? 1 : 0);
        case fieldtype::Time: return DateToColumn(Converted(field, value, [&] { return value.ToDate().TimePart(); }));
        case fieldtype::Date: return DateToColumn(Converted(field, value, [&] { return value.ToDate().DatePart(); }));
        case fieldtype::DateTime: return DateToColumn(Converted(field, value, [&] { return value.ToDate(); }));
        default: break;
    }
    std::string textValue = value.ToString();
    if (textValue.empty()) return {};
    const std::int32_t maxLength = field.Spec().maxLength;
    if (maxLength > 0 && text::Len(textValue) > static_cast<std::size_t>(maxLength)) {
        RaiseEngineError(engineerror::ValueTooLong, "The text for the field " + FieldName(field) + " has " +
                                                        std::to_string(text::Len(textValue)) +
                                                        " characters; the field holds at most " +
                                                        std::to_string(maxLength));
    }
    return textValue;
}

Variant FieldCodec::FromColumn(const Field& field, const SqlValue& column) {
    if (std::holds_alternative<std::monostate>(column)) {
        return field.Spec().type == fieldtype::YesNo ? Variant(false) : Variant::Null();
    }
    const auto number = [&] {
        return std::holds_alternative<double>(column) ? std::get<double>(column)
                                                      : double(std::get<std::int64_t>(column));
    };
    switch (field.Spec().type) {
        case fieldtype::Integer:
        case fieldtype::RelationToOne:
        case fieldtype::Document: return Variant(static_cast<std::int32_t>(std::get<std::int64_t>(column)));
        case fieldtype::Number: return Variant(number());
        case fieldtype::YesNo: return Variant(std::get<std::int64_t>(column) != 0);
        case fieldtype::Time:
        case fieldtype::Date:
        case fieldtype::DateTime: return Variant(DateFromColumn(number()));
        default: return Variant(std::get<std::string>(column));
    }
}

}  // namespace ostrellix::standin::kelo
