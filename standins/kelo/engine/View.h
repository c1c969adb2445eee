#pragma once

#include "contracts/kelo/IView.h"

namespace ostrellix::standin::kelo {

// "QVR.View": the fields to read with a record set, in the order added.
class View final : public ostrellix::kelo::IView {
public:
    void Add(std::string_view fieldOrPath) override { fields_.emplace_back(fieldOrPath); }
    std::vector<std::string> Fields() override { return fields_; }

private:
    std::vector<std::string> fields_;
};

}  // namespace ostrellix::standin::kelo
