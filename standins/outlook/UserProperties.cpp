#include "standins/outlook/UserProperties.h"

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/UserProperty.h"

namespace ostrellix::standin::outlook {

namespace {
// The name of a user property; null for other named properties (the categories are none).
const std::string* UserPropertyName(const msg::PropertyName& name) {
    const auto* text = std::get_if<std::string>(&name.id);
    return name.propertySet == msg::PublicStrings() && text && *text != mapi::kKeywords ? text : nullptr;
}
}  // namespace

std::vector<std::string> UserProperties::Names(const msg::MessageData& message) {
    std::vector<std::string> names;
    for (const auto& [name, value] : message.properties.Named()) {
        if (const std::string* text = UserPropertyName(name)) names.push_back(*text);
    }
    return names;
}

Ptr<ol::IUserProperty> UserProperties::Add(std::string_view name, std::int32_t type, bool /*addToFolderFields*/) {
    if (text::Trim(name).empty()) errors::Raise(errors::kInvalidArgument, "A user property needs a name.");
    if (Find(name)) {
        errors::Raise(errors::kFailed, "The item already has a user property named \"" + std::string(name) + "\".");
    }
    const std::uint16_t mapiType = UserProperty::MapiType(type);
    item_->Edit().properties.SetNamed(mapi::UserPropertyName(std::string(name)),
                                      {mapiType, UserProperty::EmptyValue(mapiType)});
    return std::make_shared<UserProperty>(item_, std::string(name));
}

Ptr<ol::IUserProperty> UserProperties::Find(std::string_view name) {
    // Looked for in place: a save looks up its marks and checksum on every item.
    for (const auto& [stored, value] : item_->Read().properties.Named()) {
        const std::string* text = UserPropertyName(stored);
        if (text && text::EqualsIgnoreCase(*text, name)) return std::make_shared<UserProperty>(item_, *text);
    }
    return nullptr;
}

std::int32_t UserProperties::Count() { return static_cast<std::int32_t>(Names(item_->Read()).size()); }

std::string UserProperties::NameAt(std::int32_t index) {
    const std::vector<std::string> names = Names(item_->Read());
    if (index < 1 || index > static_cast<std::int32_t>(names.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return names[static_cast<std::size_t>(index - 1)];
}

Ptr<ol::IUserProperty> UserProperties::Item(std::int32_t index) {
    return std::make_shared<UserProperty>(item_, NameAt(index));
}

void UserProperties::Remove(std::int32_t index) {
    const std::string name = NameAt(index);
    item_->Edit().properties.RemoveNamed(mapi::UserPropertyName(name));
}

}  // namespace ostrellix::standin::outlook
