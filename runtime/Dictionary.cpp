#include "runtime/Dictionary.h"

#include "runtime/ComError.h"

namespace ostrellix {

void Dictionary::Add(std::string key, Variant item) {
    if (index_.contains(key)) RaiseRuntimeError(errors::DuplicateKey);
    entries_.emplace_back(key, std::move(item));
    index_.emplace(std::move(key), std::prev(entries_.end()));
}

bool Dictionary::Exists(std::string_view key) const { return index_.contains(std::string(key)); }

Variant Dictionary::Item(std::string_view key) const {
    const auto found = index_.find(std::string(key));
    return found == index_.end() ? Variant() : found->second->second;
}

void Dictionary::SetItem(std::string key, Variant item) {
    const auto found = index_.find(key);
    if (found == index_.end()) {
        Add(std::move(key), std::move(item));
    } else {
        found->second->second = std::move(item);
    }
}

void Dictionary::Remove(std::string_view key) {
    const auto found = index_.find(std::string(key));
    if (found == index_.end()) RaiseRuntimeError(errors::ElementNotFound);
    entries_.erase(found->second);
    index_.erase(found);
}

void Dictionary::RemoveAll() {
    entries_.clear();
    index_.clear();
}

std::vector<std::string> Dictionary::Keys() const {
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const auto& [key, item] : entries_) keys.push_back(key);
    return keys;
}

std::vector<Variant> Dictionary::Items() const {
    std::vector<Variant> items;
    items.reserve(entries_.size());
    for (const auto& [key, item] : entries_) items.push_back(item);
    return items;
}

}  // namespace ostrellix
