#include "standins/message/PropertyBag.h"

namespace ostrellix::standin::message {

Guid PublicStrings() {
    static const Guid guid = Guid::Parse("{00020329-0000-0000-C000-000000000046}");
    return guid;
}

std::optional<PropertyValue> PropertyBag::Get(std::uint32_t tag) const {
    const auto found = tagged_.find(TagId(tag));
    if (found == tagged_.end()) return std::nullopt;
    return found->second;
}

Variant PropertyBag::GetValue(std::uint32_t tag) const {
    const auto found = tagged_.find(TagId(tag));
    return found == tagged_.end() ? Variant() : found->second.value;
}

void PropertyBag::Set(std::uint32_t tag, Variant value) { tagged_[TagId(tag)] = {TagType(tag), std::move(value)}; }

void PropertyBag::Set(std::uint16_t id, PropertyValue value) { tagged_[id] = std::move(value); }

bool PropertyBag::Remove(std::uint32_t tag) { return tagged_.erase(TagId(tag)) > 0; }

std::optional<PropertyValue> PropertyBag::GetNamed(const PropertyName& name) const {
    const auto found = named_.find(name);
    if (found == named_.end()) return std::nullopt;
    return found->second;
}

void PropertyBag::SetNamed(const PropertyName& name, PropertyValue value) { named_[name] = std::move(value); }

bool PropertyBag::RemoveNamed(const PropertyName& name) { return named_.erase(name) > 0; }

}  // namespace ostrellix::standin::message
