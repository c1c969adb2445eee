#include "standins/outlook/ItemIndex.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/OutlookProperty.h"

namespace ostrellix::standin::outlook {

namespace {

void Add(std::vector<ItemIndex::Entry>& entries, const std::string& key, const Variant& value) {
    if (value.IsArray()) {
        for (const Variant& element : value.ToArray()) Add(entries, key, element);
    } else if (auto indexed = ItemIndex::IndexValue(value)) {
        entries.push_back({key, std::move(*indexed)});
    }
}

}  // namespace

std::string ItemIndex::KeyOfProperty(std::string_view outlookName) { return text::LCase(outlookName); }

std::string ItemIndex::KeyOfUserProperty(std::string_view name) { return "u:" + text::LCase(name); }

double ItemIndex::DateKey(Date date) { return std::round(date.Serial() * 86400.0); }

std::optional<ItemIndex::Value> ItemIndex::IndexValue(const Variant& value) {
    switch (value.VarType()) {
        case Variant::Type::String: return Value(text::LCase(value.ToString()));
        case Variant::Type::Date: return Value(DateKey(value.ToDate()));
        case Variant::Type::Boolean: return Value(value.ToBoolean() ? 1.0 : 0.0);
        case Variant::Type::Integer:
        case Variant::Type::Long:
        case Variant::Type::Double:
            // A NaN equals nothing, so no filter could find it.
            if (std::isnan(value.ToDouble())) return std::nullopt;
            return Value(value.ToDouble());
        default: return std::nullopt;
    }
}

std::vector<ItemIndex::Entry> ItemIndex::Entries(const msg::MessageData& message, const Keys& keys) {
    // A store indexes a few keys: each is looked up, rather than every
    // filterable property tested against them.
    static const std::map<std::string, const OutlookProperty*, std::less<>> filterable = [] {
        std::map<std::string, const OutlookProperty*, std::less<>> byKey;
        for (const OutlookProperty& property : OutlookProperty::All()) {
            if (property.filterable) byKey.emplace(KeyOfProperty(property.name), &property);
        }
        return byKey;
    }();
    std::vector<Entry> entries;
    const msg::PropertyBag& bag = message.properties;
    bool userKeys = false;
    for (const std::string& key : keys) {
        userKeys |= key.starts_with("u:");
        if (const auto property = filterable.find(key); property != filterable.end()) {
            Add(entries, key, property->second->location.Read(bag));
        }
    }
    if (!userKeys) return entries;
    for (const auto& [name, value] : bag.Named()) {
        const auto* text = std::get_if<std::string>(&name.id);
        if (name.propertySet != msg::PublicStrings() || !text || *text == mapi::kKeywords) continue;
        std::string key = KeyOfUserProperty(*text);
        if (keys.contains(key)) Add(entries, key, value.value);
    }
    return entries;
}

bool ItemIndex::Before(const Entry& a, const Entry& b) { return std::tie(a.key, a.value) < std::tie(b.key, b.value); }

std::vector<ItemIndex::Entry> ItemIndex::Sorted(std::vector<Entry> entries) {
    std::ranges::sort(entries, Before);
    entries.erase(std::unique(entries.begin(), entries.end(),
                              [](const Entry& a, const Entry& b) { return !Before(a, b) && !Before(b, a); }),
                  entries.end());
    return entries;
}

}  // namespace ostrellix::standin::outlook
