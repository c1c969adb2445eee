#include "standins/message/PropertyBag.h"

#include <algorithm>
#include <type_traits>

namespace ostrellix::standin::message {

namespace {

// The place of `key` in an array sorted by it; an entry with a key beyond
// the last, as a bag read in order brings, goes to the end without a search.
template <class Entries, class Key>
auto Place(Entries& entries, const Key& key) {
    if (entries.empty() || entries.back().first < key) return entries.end();
    return std::ranges::lower_bound(entries, key, {}, &std::remove_cvref_t<Entries>::value_type::first);
}

template <class Entries, class Key>
void Put(Entries& entries, Key&& key, PropertyValue value) {
    const auto place = Place(entries, key);
    if (place != entries.end() && place->first == key) {
        place->second = std::move(value);
    } else {
        entries.emplace(place, std::forward<Key>(key), std::move(value));
    }
}

template <class Entries, class Key>
bool Erase(Entries& entries, const Key& key) {
    const auto place = Place(entries, key);
    if (place == entries.end() || !(place->first == key)) return false;
    entries.erase(place);
    return true;
}

}  // namespace

Guid PublicStrings() {
    static const Guid guid = Guid::Parse("{00020329-0000-0000-C000-000000000046}");
    return guid;
}

const PropertyValue* PropertyBag::FindTagged(std::uint16_t id) const {
    const auto place = Place(tagged_, id);
    return place != tagged_.end() && place->first == id ? &place->second : nullptr;
}

const PropertyValue* PropertyBag::FindNamed(const PropertyName& name) const {
    const auto place = Place(named_, name);
    return place != named_.end() && place->first == name ? &place->second : nullptr;
}

std::optional<PropertyValue> PropertyBag::Get(std::uint32_t tag) const {
    const PropertyValue* found = FindTagged(TagId(tag));
    if (!found) return std::nullopt;
    return *found;
}

Variant PropertyBag::GetValue(std::uint32_t tag) const {
    const PropertyValue* found = FindTagged(TagId(tag));
    return found ? found->value : Variant();
}

void PropertyBag::Set(std::uint32_t tag, Variant value) { Put(tagged_, TagId(tag), {TagType(tag), std::move(value)}); }

void PropertyBag::Set(std::uint16_t id, PropertyValue value) { Put(tagged_, id, std::move(value)); }

bool PropertyBag::Remove(std::uint32_t tag) { return Erase(tagged_, TagId(tag)); }

std::optional<PropertyValue> PropertyBag::GetNamed(const PropertyName& name) const {
    const PropertyValue* found = FindNamed(name);
    if (!found) return std::nullopt;
    return *found;
}

void PropertyBag::SetNamed(const PropertyName& name, PropertyValue value) { Put(named_, name, std::move(value)); }

void PropertyBag::SetNamed(PropertyName&& name, PropertyValue value) {
    Put(named_, std::move(name), std::move(value));
}

bool PropertyBag::RemoveNamed(const PropertyName& name) { return Erase(named_, name); }

}  // namespace ostrellix::standin::message
