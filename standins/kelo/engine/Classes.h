#pragma once

#include <vector>

#include "contracts/kelo/IClasses.h"
#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

// The classes of a database in the order they were made.
class Classes final : public ostrellix::kelo::IClasses {
public:
    std::int32_t Count() override { return static_cast<std::int32_t>(classes_.size()); }
    Ptr<ostrellix::kelo::IClass> Item(std::int32_t index) override;
    Ptr<ostrellix::kelo::IClass> FindByName(std::string_view name) override { return Named(name); }
    Ptr<ostrellix::kelo::IClass> FindByLabel(std::int32_t label) override { return Labelled(label); }

    const std::vector<Ptr<Class>>& List() const { return classes_; }
    Ptr<Class> Named(std::string_view name) const;
    Ptr<Class> Labelled(std::int32_t label) const;
    void Append(Ptr<Class> cls) { classes_.push_back(std::move(cls)); }

private:
    std::vector<Ptr<Class>> classes_;
};

}  // namespace ostrellix::standin::kelo
