#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contracts/kelo/IStoredFilters.h"

namespace ostrellix::standin::kelo {

class Class;
class Engine;
class Filter;

// The filters stored for one class, read when asked for; each Filter(i) is
// made afresh from what is stored. Store keeps a filter under a name (a
// name is one filter per class, whatever its case), replacing one stored
// before under that name: the Kelo client's "save filter as".
class StoredFilters final : public ostrellix::kelo::IStoredFilters {
public:
    static Ptr<StoredFilters> Of(const std::shared_ptr<Engine>& engine, const Class& cls);
    static void Store(Engine& engine, const Class& cls, std::string_view name, const kelo::Filter& filter);

    std::int32_t Count() override { return static_cast<std::int32_t>(filters_.size()); }
    std::string Name(std::int32_t index) override;
    Ptr<ostrellix::kelo::IFilter> Filter(std::int32_t index) override;

private:
    const std::pair<std::string, std::string>& At(std::int32_t index) const;

    // Name and terms (Filter::Json) of each.
    std::vector<std::pair<std::string, std::string>> filters_;
};

}  // namespace ostrellix::standin::kelo
