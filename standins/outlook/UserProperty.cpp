#include "standins/outlook/UserProperty.h"

#include "contracts/outlook/Constants.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/PropertyLocation.h"

namespace ostrellix::standin::outlook {

namespace pt = msg::pt;

std::uint16_t UserProperty::MapiType(std::int32_t type) {
    switch (type) {
        case ol::olText: return pt::Unicode;
        case ol::olNumber: return pt::Double;
        case ol::olDateTime: return pt::SysTime;
        case ol::olYesNo: return pt::Boolean;
        case ol::olInteger: return pt::Long;
        default:
            errors::Raise(errors::kInvalidArgument,
                          "User properties of type " + std::to_string(type) + " are not kept by this Outlook.");
    }
}

std::int32_t UserProperty::OutlookType(std::uint16_t mapiType) {
    switch (mapiType) {
        case pt::Double: return ol::olNumber;
        case pt::SysTime: return ol::olDateTime;
        case pt::Boolean: return ol::olYesNo;
        case pt::Short:
        case pt::Long: return ol::olInteger;
        default: return ol::olText;
    }
}

Variant UserProperty::EmptyValue(std::uint16_t mapiType) {
    switch (mapiType) {
        case pt::Double: return Variant(0.0);
        case pt::SysTime: return Variant(ol::kNoDate);
        case pt::Boolean: return Variant(false);
        case pt::Long: return Variant(0);
        default: return Variant(std::string());
    }
}

msg::PropertyValue UserProperty::Stored() {
    const std::optional<msg::PropertyValue> value =
        item_->Read().properties.GetNamed(mapi::UserPropertyName(name_));
    if (!value) errors::Raise(errors::kNotFound, "The user property \"" + name_ + "\" has been deleted.");
    return *value;
}

std::string UserProperty::Name() {
    Stored();
    return name_;
}

std::int32_t UserProperty::Type() { return OutlookType(Stored().type); }

Variant UserProperty::Value() { return Stored().value; }

void UserProperty::SetValue(const Variant& value) {
    const std::uint16_t type = Stored().type;
    item_->Edit().properties.SetNamed(mapi::UserPropertyName(name_), {type, PropertyLocation::Convert(value, type)});
}

void UserProperty::Delete() {
    Stored();
    item_->Edit().properties.RemoveNamed(mapi::UserPropertyName(name_));
}

}  // namespace ostrellix::standin::outlook
