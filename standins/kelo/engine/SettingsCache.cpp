#include "standins/kelo/engine/SettingsCache.h"

#include <atomic>
#include <utility>

namespace ostrellix::standin::kelo {

namespace {

std::atomic<std::uint64_t> settingsGeneration{1};

}  // namespace

const std::optional<Variant>* SettingsCache::Find(std::int64_t node, std::string_view name) {
    Refresh();
    const auto collection = values_.find(node);
    if (collection == values_.end()) return nullptr;
    const auto found = collection->second.find(name);
    return found == collection->second.end() ? nullptr : &found->second;
}

void SettingsCache::Add(std::int64_t node, std::string_view name, std::optional<Variant> stored) {
    Refresh();
    values_[node].insert_or_assign(std::string(name), std::move(stored));
}

void SettingsCache::Changing() {
    changing_ = true;
    ++settingsGeneration;
}

void SettingsCache::Ended(bool outermost) {
    if (changing_) ++settingsGeneration;
    if (outermost) changing_ = false;
}

void SettingsCache::Refresh() {
    const std::uint64_t now = settingsGeneration.load();
    if (generation_ == now) return;
    values_.clear();
    generation_ = now;
}

}  // namespace ostrellix::standin::kelo
