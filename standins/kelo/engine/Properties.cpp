#include "standins/kelo/engine/Properties.h"

#include <algorithm>

#include "runtime/Text.h"
#include "standins/kelo/engine/NamePath.h"

namespace ostrellix::standin::kelo {

namespace {

template <class Entries>
auto Find(Entries& entries, std::string_view name) {
    return std::find_if(entries.begin(), entries.end(),
                        [&](const auto& entry) { return text::EqualsIgnoreCase(entry.first, name); });
}

}  // namespace

Ptr<Properties> Properties::ChildNamed(const std::string& name, bool create) {
    const auto found = Find(children_, name);
    if (found != children_.end()) return found->second;
    if (!create) return nullptr;
    auto child = std::make_shared<Properties>();
    child->parent_ = SelfAs<Properties>();
    children_.emplace_back(name, child);
    return child;
}

Ptr<Properties> Properties::Walk(const std::vector<std::string>& parts, bool leaf, bool create) {
    Ptr<Properties> node = SelfAs<Properties>();
    const std::size_t count = leaf ? parts.size() - 1 : parts.size();
    for (std::size_t i = 0; i < count && node; ++i) node = node->ChildNamed(parts[i], create);
    return node;
}

Variant Properties::Value(std::string_view name, const Variant& defaultValue) {
    const std::vector<std::string> parts = SplitNamePath(name);
    const Ptr<Properties> node = Walk(parts, true, false);
    if (!node) return defaultValue;
    const auto found = Find(node->values_, parts.back());
    return found != node->values_.end() ? found->second : defaultValue;
}

void Properties::SetValue(std::string_view name, const Variant& value) {
    const std::vector<std::string> parts = SplitNamePath(name);
    const Ptr<Properties> node = Walk(parts, true, true);
    const auto found = Find(node->values_, parts.back());
    if (found != node->values_.end()) found->second = value;
    else node->values_.emplace_back(parts.back(), value);
}

void Properties::Delete(std::string_view name) {
    const std::vector<std::string> parts = SplitNamePath(name);
    const Ptr<Properties> node = Walk(parts, true, false);
    if (!node) return;
    if (const auto value = Find(node->values_, parts.back()); value != node->values_.end()) node->values_.erase(value);
    if (const auto child = Find(node->children_, parts.back()); child != node->children_.end()) {
        child->second->parent_.reset();
        node->children_.erase(child);
    }
}

Ptr<ostrellix::kelo::IProperties> Properties::Child(std::string_view name) {
    return Walk(SplitNamePath(name), false, true);
}

std::vector<std::string> Properties::Names() {
    std::vector<std::string> names;
    for (const auto& entry : values_) names.push_back(entry.first);
    return names;
}

std::vector<std::string> Properties::ChildNames() {
    std::vector<std::string> names;
    for (const auto& entry : children_) names.push_back(entry.first);
    return names;
}

}  // namespace ostrellix::standin::kelo
