#pragma once

#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IPane.h"

namespace ostrellix::standin::kelo {

// A side pane and the control it hosts.
class Pane final : public ostrellix::kelo::IPane {
public:
    Pane(std::string caption, Ptr<ostrellix::kelo::IImage> icon, std::string progId, std::int32_t style,
         ObjectPtr control);

    std::string Caption() override { return caption_; }
    Ptr<ostrellix::kelo::IImage> Icon() override { return icon_; }
    std::string ControlProgID() override { return progId_; }
    std::int32_t Style() override { return style_; }
    ObjectPtr Control() override { return control_; }
    Variant Property(std::string_view name) override;
    void SetProperty(std::string_view name, const Variant& value) override;

private:
    std::string caption_;
    Ptr<ostrellix::kelo::IImage> icon_;
    std::string progId_;
    std::int32_t style_;
    ObjectPtr control_;
    std::vector<std::pair<std::string, Variant>> properties_;
};

}  // namespace ostrellix::standin::kelo
