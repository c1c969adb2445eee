#include "runtime/Dictionary.h"

#include "runtime/ComError.h"

namespace ostrellix {

void Dictionary::Add(std::string key, Variant item) {
    if (index_.contains(key)) RaiseRuntimeError(errors::DuplicateKey);
    entries_.emplace_back(std::move(key), std::move(item));
    const iterator added = std::prev(entries_.end());
    index_.emplace(added->first, added);
}

bool Dictionary::Exists(std::string_view key) const { return index_.contains(key); }

Variant Dictionary::Item(std::string_view key) const {
    const Variant* item = Find(key);
    return item ? *item : Variant();
}

Variant* Dictionary::Find(std::string_view key) {
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : &found->second->second;
}

const Variant* Dictionary::Find(std::string_view key) const {
    const auto found = index_.find(key);
    return found == index_.end() ? nullptr : &found->second->second;
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
    const auto found = index_.find(key);
    if (found == index_.end()) RaiseRuntimeError(errors::ElementNotFound);
    const iterator entry = found->second;
    index_.erase(found);
    entries_.erase(entry);
}

void Dictionary::RemoveAll() {
    index_.clear();
    entries_.clear();
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
