#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "contracts/kelo/IRecord.h"
#include "runtime/Date.h"

namespace ostrellix::addin {

// Small rules shared by the mappings between records and items.
class FieldValues {
public:
    // The text cut to the field's maximum length; a maximum below 1 is no limit.
    static std::string CutToMaxLength(std::string_view text, kelo::IField& field);
    // A date as a record value: Null for Outlook's "no date" and anything
    // from the year 4000 on.
    static Variant DateOrNull(Date date);
    // The record's date value of a field, nothing when the field is absent or Null.
    static std::optional<Date> DateValue(kelo::IRecord& record, const Ptr<kelo::IField>& field);
    // A relation to one record whose other side is a class with that label.
    static bool IsRelationTo(kelo::IField& field, std::int32_t classLabel);
    // The coworker record id of the Kelo user with that name.
    static std::optional<std::int32_t> CoworkerOfUser(std::string_view userName);
};

}  // namespace ostrellix::addin
