#include "standins/mapi/UserProperty.h"

#include "standins/mapi/Errors.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/PropertyLocation.h"
#include "standins/outlook/UserProperty.h"

namespace ostrellix::standin::mapi {

msg::PropertyValue UserProperty::Stored() {
    const auto value = state_->Read().properties.GetNamed(names::UserPropertyName(name_));
    if (!value) errors::Raise(errors::kObjectDeleted, "The user property \"" + name_ + "\" has been deleted.");
    return *value;
}

std::string UserProperty::Name() {
    Stored();
    return name_;
}

std::int32_t UserProperty::Type() { return outlook::UserProperty::OutlookType(Stored().type); }

Variant UserProperty::Value() { return Stored().value; }

void UserProperty::SetValue(const Variant& value) {
    const std::uint16_t type = Stored().type;
    state_->Edit().properties.SetNamed(names::UserPropertyName(name_),
                                       {type, outlook::PropertyLocation::Convert(value, type)});
}

void UserProperty::Delete() {
    Stored();
    state_->Edit().properties.RemoveNamed(names::UserPropertyName(name_));
}

}  // namespace ostrellix::standin::mapi
