#include "sync/FieldValues.h"

#include "contracts/kelo/Codes.h"
#include "core/Globals.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

std::string FieldValues::CutToMaxLength(std::string_view text, kelo::IField& field) {
    const std::int32_t max = field.MaxLength();
    return max >= 1 ? text::Left(text, static_cast<std::size_t>(max)) : std::string(text);
}

Variant FieldValues::DateOrNull(Date date) { return date.Year() < 4000 ? Variant(date) : Variant::Null(); }

std::optional<Date> FieldValues::DateValue(kelo::IRecord& record, const Ptr<kelo::IField>& field) {
    if (!field) return std::nullopt;
    const Variant value = record.Value(field->Name());
    if (value.IsNull() || value.IsEmpty()) return std::nullopt;
    return value.ToDate();
}

bool FieldValues::IsRelationTo(kelo::IField& field, std::int32_t classLabel) {
    if (field.Type() != kelo::fieldtype::RelationToOne) return false;
    const auto counterpart = field.Counterpart();
    const auto related = counterpart ? counterpart->Class() : nullptr;
    return related && related->Label() == classLabel;
}

std::optional<std::int32_t> FieldValues::CoworkerOfUser(std::string_view userName) {
    const auto user = Globals::Application()->FindUser(userName);
    const auto coworker = user ? user->Record() : nullptr;
    if (!coworker) return std::nullopt;
    return coworker->ID();
}

}  // namespace ostrellix::addin
