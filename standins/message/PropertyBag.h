#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>

#include "runtime/Guid.h"
#include "runtime/Variant.h"
#include "standins/message/PropertyTag.h"

namespace ostrellix::standin::message {

// A named property's name: a property set and either a numeric id or a
// string name (user properties are string names in PS_PUBLIC_STRINGS).
struct PropertyName {
    Guid propertySet;
    std::variant<std::uint32_t, std::string> id;

    friend auto operator<=>(const PropertyName&, const PropertyName&) = default;
    friend bool operator==(const PropertyName&, const PropertyName&) = default;
};

// {00020329-0000-0000-C000-000000000046}: where user properties live.
Guid PublicStrings();

// A value with its MAPI type. Types the model interprets map to variants:
// Short -> Integer, Long -> Long, Double -> Double, Boolean -> Boolean,
// String8 and Unicode -> text (UTF-8), SysTime -> Date, Binary -> bytes.
// A value of any other type is kept as the raw bytes it was read as, so
// that it is written back unchanged.
struct PropertyValue {
    std::uint16_t type = pt::Unicode;
    Variant value;

    friend bool operator==(const PropertyValue&, const PropertyValue&) = default;
};

// The properties of one MAPI object: tagged properties by property id, and
// named properties by name. Setting a tagged property replaces one of the
// same id whatever its type (PR_SUBJECT as String8 or Unicode is one
// property). Ordered, so that writing it out is deterministic.
class PropertyBag {
public:
    std::optional<PropertyValue> Get(std::uint32_t tag) const;  // by the tag's id; any type
    Variant GetValue(std::uint32_t tag) const;                  // Empty when absent
    void Set(std::uint32_t tag, Variant value);                 // the type from the tag
    void Set(std::uint16_t id, PropertyValue value);
    bool Remove(std::uint32_t tag);
    const std::map<std::uint16_t, PropertyValue>& Tagged() const { return tagged_; }

    std::optional<PropertyValue> GetNamed(const PropertyName& name) const;
    void SetNamed(const PropertyName& name, PropertyValue value);
    bool RemoveNamed(const PropertyName& name);
    const std::map<PropertyName, PropertyValue>& Named() const { return named_; }

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    std::map<std::uint16_t, PropertyValue> tagged_;
    std::map<PropertyName, PropertyValue> named_;
};

}  // namespace ostrellix::standin::message
