#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "contracts/kelo/IPool.h"

namespace ostrellix::standin::kelo {

// A set of record ids ("QVR.Pool") in the order added, without repeats.
class Pool final : public ostrellix::kelo::IPool {
public:
    void Add(std::int32_t id) override;
    std::int32_t Count() override { return static_cast<std::int32_t>(ids_.size()); }
    std::int32_t Item(std::int32_t index) override;
    bool Contains(std::int32_t id) override { return members_.contains(id); }

    void Remove(std::int32_t id) override;
    void Clear() override;
    // The ids of any pool as a JSON array, the form the SQL takes them in.
    static std::string Json(const Ptr<ostrellix::kelo::IPool>& pool);

private:
    std::vector<std::int32_t> ids_;
    std::unordered_set<std::int32_t> members_;
};

}  // namespace ostrellix::standin::kelo
