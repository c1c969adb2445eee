#include "standins/mapi/UserProperties.h"

#include "runtime/Text.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/UserProperty.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/UserProperties.h"
#include "standins/outlook/UserProperty.h"

namespace ostrellix::standin::mapi {

Ptr<ol::IUserProperty> UserProperties::Add(std::string_view name, std::int32_t type, bool /*addToFolderFields*/) {
    if (text::Trim(name).empty()) errors::Raise(errors::kInvalidArgument, "A user property needs a name.");
    if (Find(name)) {
        errors::Raise(errors::kInvalidArgument,
                      "The message already has a user property named \"" + std::string(name) + "\".");
    }
    const std::uint16_t mapiType = outlook::UserProperty::MapiType(type);
    state_->Edit().properties.SetNamed(names::UserPropertyName(std::string(name)),
                                       {mapiType, outlook::UserProperty::EmptyValue(mapiType)});
    return std::make_shared<UserProperty>(state_, std::string(name));
}

Ptr<ol::IUserProperty> UserProperties::Find(std::string_view name) {
    for (const std::string& stored : outlook::UserProperties::Names(state_->Read())) {
        if (text::EqualsIgnoreCase(stored, name)) return std::make_shared<UserProperty>(state_, stored);
    }
    return nullptr;
}

std::int32_t UserProperties::Count() {
    return static_cast<std::int32_t>(outlook::UserProperties::Names(state_->Read()).size());
}

std::string UserProperties::NameAt(std::int32_t index) {
    const std::vector<std::string> names = outlook::UserProperties::Names(state_->Read());
    if (index < 1 || index > static_cast<std::int32_t>(names.size())) {
        errors::Raise(errors::kInvalidArgument, "There is no user property " + std::to_string(index) + ".");
    }
    return names[static_cast<std::size_t>(index - 1)];
}

Ptr<ol::IUserProperty> UserProperties::Item(std::int32_t index) {
    return std::make_shared<UserProperty>(state_, NameAt(index));
}

void UserProperties::Remove(std::int32_t index) {
    const std::string name = NameAt(index);
    state_->Edit().properties.RemoveNamed(names::UserPropertyName(name));
}

}  // namespace ostrellix::standin::mapi
