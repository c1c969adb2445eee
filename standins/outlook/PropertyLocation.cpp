#include "standins/outlook/PropertyLocation.h"

#include "standins/message/PropertyTag.h"

namespace ostrellix::standin::outlook {

namespace pt = msg::pt;

PropertyLocation PropertyLocation::Tagged(std::uint32_t tag) { return {tag, std::nullopt, msg::TagType(tag)}; }

PropertyLocation PropertyLocation::Named(msg::PropertyName name, std::uint16_t type) {
    return {0, std::move(name), type};
}

Variant PropertyLocation::Convert(const Variant& value, std::uint16_t type) {
    switch (type) {
        case pt::Short: return Variant(value.ToInteger());
        case pt::Long: return Variant(static_cast<int>(value.ToLong()));
        case pt::Double: return Variant(value.ToDouble());
        case pt::Boolean: return Variant(value.ToBoolean());
        case pt::String8:
        case pt::Unicode: return Variant(value.ToString());
        case pt::SysTime: return Variant(value.ToDate());
        case pt::Binary: return Variant(value.ToBytes());
        case pt::MultiValued | pt::Unicode: {
            VariantArray texts;
            if (value.IsArray()) {
                for (const Variant& element : value.ToArray()) texts.emplace_back(element.ToString());
            } else {
                texts.emplace_back(value.ToString());
            }
            return Variant(std::move(texts));
        }
        default: return value;
    }
}

Variant PropertyLocation::Read(const msg::PropertyBag& bag) const {
    const std::optional<msg::PropertyValue> found = name_ ? bag.GetNamed(*name_) : bag.Get(tag_);
    return found ? found->value : Variant();
}

void PropertyLocation::Write(msg::PropertyBag& bag, const Variant& value) const {
    if (value.IsEmpty()) {
        if (name_) {
            bag.RemoveNamed(*name_);
        } else {
            bag.Remove(tag_);
        }
        return;
    }
    Variant converted = Convert(value, type_);
    if (name_) {
        bag.SetNamed(*name_, {type_, std::move(converted)});
    } else {
        bag.Set(tag_, std::move(converted));
    }
}

}  // namespace ostrellix::standin::outlook
