#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

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
//
// A store keeps many thousands of bags in memory at once and a message has
// a few dozen properties, so each kind lives in one sorted array rather
// than a node per property: a bag read in order is filled by appending,
// and a lookup stays within one block.
class PropertyBag {
public:
    using TaggedEntry = std::pair<std::uint16_t, PropertyValue>;
    using NamedEntry = std::pair<PropertyName, PropertyValue>;

    std::optional<PropertyValue> Get(std::uint32_t tag) const;  // by the tag's id; any type
    Variant GetValue(std::uint32_t tag) const;                  // Empty when absent
    void Set(std::uint32_t tag, Variant value);                 // the type from the tag
    void Set(std::uint16_t id, PropertyValue value);
    bool Remove(std::uint32_t tag);
    const std::vector<TaggedEntry>& Tagged() const { return tagged_; }

    std::optional<PropertyValue> GetNamed(const PropertyName& name) const;
    void SetNamed(const PropertyName& name, PropertyValue value);
    void SetNamed(PropertyName&& name, PropertyValue value);
    bool RemoveNamed(const PropertyName& name);
    const std::vector<NamedEntry>& Named() const { return named_; }

    // Room for this many more properties, for a reader that knows how many come.
    void ReserveTagged(std::size_t more) { tagged_.reserve(tagged_.size() + more); }
    void ReserveNamed(std::size_t more) { named_.reserve(named_.size() + more); }

    friend bool operator==(const PropertyBag&, const PropertyBag&) = default;

private:
    const PropertyValue* FindTagged(std::uint16_t id) const;
    const PropertyValue* FindNamed(const PropertyName& name) const;

    std::vector<TaggedEntry> tagged_;  // ascending ids
    std::vector<NamedEntry> named_;    // ascending names
};

}  // namespace ostrellix::standin::message
