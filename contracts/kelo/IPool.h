#pragma once

#include <cstdint>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A set of record ids ("QVR.Pool"), in the order added, without repeats.
class IPool : public virtual Object {
public:
    virtual void Add(std::int32_t id) = 0;
    virtual std::int32_t Count() = 0;
    virtual std::int32_t Item(std::int32_t index) = 0;  // 1-based
    virtual bool Contains(std::int32_t id) = 0;
    // Removes an id; nothing happens when it is absent.
    virtual void Remove(std::int32_t id) = 0;
    virtual void Clear() = 0;
};

}  // namespace ostrellix::kelo
