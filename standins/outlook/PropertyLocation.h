#pragma once

#include <cstdint>
#include <optional>

#include "runtime/Variant.h"
#include "standins/message/PropertyBag.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

// Where one property lives in a property bag: a tagged property, or a named
// one, with the MAPI type it is written with. Reading gives the value as
// stored (Empty when absent); writing converts the value to the type and
// removes the property for Empty. Multi-valued text is a variant array of
// texts.
class PropertyLocation {
public:
    static PropertyLocation Tagged(std::uint32_t tag);
    static PropertyLocation Named(msg::PropertyName name, std::uint16_t type);

    std::uint16_t Type() const { return type_; }
    const std::optional<msg::PropertyName>& Name() const { return name_; }
    std::uint32_t Tag() const { return tag_; }

    Variant Read(const msg::PropertyBag& bag) const;
    void Write(msg::PropertyBag& bag, const Variant& value) const;

    // A value converted to a MAPI type, as it would be stored.
    static Variant Convert(const Variant& value, std::uint16_t type);

private:
    PropertyLocation(std::uint32_t tag, std::optional<msg::PropertyName> name, std::uint16_t type)
        : tag_(tag), name_(std::move(name)), type_(type) {}

    std::uint32_t tag_;
    std::optional<msg::PropertyName> name_;
    std::uint16_t type_;
};

}  // namespace ostrellix::standin::outlook
