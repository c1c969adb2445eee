#include "standins/kelo/engine/RecordValues.h"

#include <algorithm>

namespace ostrellix::standin::kelo {

namespace {

template <class Entries>
auto At(Entries& entries, std::int32_t fieldId) {
    return std::ranges::lower_bound(entries, fieldId, {}, [](const auto& entry) { return entry.first; });
}

}  // namespace

const Variant* RecordValues::Find(std::int32_t fieldId) const {
    const auto found = At(entries_, fieldId);
    return found != entries_.end() && found->first == fieldId ? &found->second : nullptr;
}

Variant* RecordValues::Find(std::int32_t fieldId) {
    const auto found = At(entries_, fieldId);
    return found != entries_.end() && found->first == fieldId ? &found->second : nullptr;
}

void RecordValues::Set(std::int32_t fieldId, Variant value) {
    if (entries_.empty() || entries_.back().first < fieldId) {
        entries_.emplace_back(fieldId, std::move(value));
        return;
    }
    const auto found = At(entries_, fieldId);
    if (found->first == fieldId) {
        found->second = std::move(value);
    } else {
        entries_.emplace(found, fieldId, std::move(value));
    }
}

}  // namespace ostrellix::standin::kelo
