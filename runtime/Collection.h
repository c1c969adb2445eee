#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix {

// The platform's ordered Collection: items in order of addition, reached by
// 1-based position or by an optional text key (compared without regard to
// case). A position out of range raises 9, a missing key 5, a key added twice
// 457. Keys are searched in order; collections here stay small.
class Collection : public virtual Object {
public:
    void Add(Variant item, std::string key = {});
    Variant Item(std::int32_t index) const;
    Variant Item(std::string_view key) const;
    void Remove(std::int32_t index);
    void Remove(std::string_view key);
    std::int32_t Count() const { return static_cast<std::int32_t>(entries_.size()); }

    // Removes the first item that is the same object (identity); false when none is.
    bool RemoveObject(const ObjectPtr& object);

private:
    struct Entry {
        Variant item;
        std::string key;
    };
    std::size_t PositionOf(std::int32_t index) const;
    std::size_t PositionOf(std::string_view key) const;
    std::vector<Entry> entries_;
};

}  // namespace ostrellix
