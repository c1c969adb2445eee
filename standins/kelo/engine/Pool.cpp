#include "standins/kelo/engine/Pool.h"

#include <algorithm>

#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

void Pool::Add(std::int32_t id) {
    if (members_.insert(id).second) ids_.push_back(id);
}

std::int32_t Pool::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return ids_[static_cast<std::size_t>(index - 1)];
}

void Pool::Remove(std::int32_t id) {
    if (members_.erase(id) == 0) return;
    ids_.erase(std::find(ids_.begin(), ids_.end(), id));
}

void Pool::Clear() {
    ids_.clear();
    members_.clear();
}

std::string Pool::Json(const Ptr<ostrellix::kelo::IPool>& pool) {
    std::string json = "[";
    if (const auto own = std::dynamic_pointer_cast<Pool>(pool)) {
        for (std::int32_t id : own->ids_) json += (json.size() > 1 ? "," : "") + std::to_string(id);
    } else if (pool) {
        for (std::int32_t i = 1; i <= pool->Count(); ++i) json += (i > 1 ? "," : "") + std::to_string(pool->Item(i));
    }
    return json + "]";
}

}  // namespace ostrellix::standin::kelo
