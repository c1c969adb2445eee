#include "runtime/Collection.h"

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix {

void Collection::Add(Variant item, std::string key) {
    if (!key.empty()) {
        for (const Entry& entry : entries_) {
            if (text::EqualsIgnoreCase(entry.key, key)) RaiseRuntimeError(errors::DuplicateKey);
        }
    }
    entries_.push_back({std::move(item), std::move(key)});
}

std::size_t Collection::PositionOf(std::int32_t index) const {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return static_cast<std::size_t>(index - 1);
}

std::size_t Collection::PositionOf(std::string_view key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (!entries_[i].key.empty() && text::EqualsIgnoreCase(entries_[i].key, key)) return i;
    }
    RaiseRuntimeError(errors::InvalidProcedureCall);
}

Variant Collection::Item(std::int32_t index) const { return entries_[PositionOf(index)].item; }

Variant Collection::Item(std::string_view key) const { return entries_[PositionOf(key)].item; }

void Collection::Remove(std::int32_t index) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(PositionOf(index)));
}

void Collection::Remove(std::string_view key) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(PositionOf(key)));
}

bool Collection::RemoveObject(const ObjectPtr& object) {
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->item.IsObject() && SameObject(it->item.ToObject(), object)) {
            entries_.erase(it);
            return true;
        }
    }
    return false;
}

}  // namespace ostrellix
