#include "standins/kelo/client/Pane.h"

#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

Pane::Pane(std::string caption, Ptr<ostrellix::kelo::IImage> icon, std::string progId, std::int32_t style,
           ObjectPtr control)
    : caption_(std::move(caption)),
      icon_(std::move(icon)),
      progId_(std::move(progId)),
      style_(style),
      control_(std::move(control)) {}

Variant Pane::Property(std::string_view name) {
    for (const auto& [key, value] : properties_) {
        if (text::EqualsIgnoreCase(key, name)) return value;
    }
    return {};
}

void Pane::SetProperty(std::string_view name, const Variant& value) {
    for (auto& [key, stored] : properties_) {
        if (text::EqualsIgnoreCase(key, name)) {
            stored = value;
            return;
        }
    }
    properties_.emplace_back(std::string(name), value);
}

}  // namespace ostrellix::standin::kelo
