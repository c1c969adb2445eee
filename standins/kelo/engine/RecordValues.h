#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "runtime/Variant.h"

namespace ostrellix::standin::kelo {

// A record's field values by field id, in one array sorted by id: a
// synchronization holds every record of a class at once, and a tree node
// per value cost more than the value.
class RecordValues {
public:
    const Variant* Find(std::int32_t fieldId) const;
    Variant* Find(std::int32_t fieldId);
    // Adds or replaces; reading the fields in id order only appends.
    void Set(std::int32_t fieldId, Variant value);
    void Reserve(std::size_t count) { entries_.reserve(count); }
    void Clear() { entries_.clear(); }

private:
    std::vector<std::pair<std::int32_t, Variant>> entries_;
};

}  // namespace ostrellix::standin::kelo
