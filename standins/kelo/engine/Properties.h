#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IProperties.h"

namespace ostrellix::standin::kelo {

// "QVR.Properties": named values and child collections in memory, values
// of any kind (objects too), names without regard to case, in order of
// creation. The client persists such a set for whoever owns it.
class Properties final : public ostrellix::kelo::IProperties {
public:
    Variant Value(std::string_view name, const Variant& defaultValue = {}) override;
    void SetValue(std::string_view name, const Variant& value) override;
    void Delete(std::string_view name) override;
    Ptr<ostrellix::kelo::IProperties> Child(std::string_view name) override;
    Ptr<ostrellix::kelo::IProperties> Parent() override { return parent_.lock(); }
    std::vector<std::string> Names() override;
    std::vector<std::string> ChildNames() override;

private:
    // The collection `parts` leads to (all but the last part when `leaf`).
    Ptr<Properties> Walk(const std::vector<std::string>& parts, bool leaf, bool create);
    Ptr<Properties> ChildNamed(const std::string& name, bool create);

    std::vector<std::pair<std::string, Variant>> values_;
    std::vector<std::pair<std::string, Ptr<Properties>>> children_;
    std::weak_ptr<Properties> parent_;
};

}  // namespace ostrellix::standin::kelo
