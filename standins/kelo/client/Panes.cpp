#include "standins/kelo/client/Panes.h"

#include "runtime/ComError.h"
#include "standins/kelo/client/Pane.h"

namespace ostrellix::standin::kelo {

Ptr<ostrellix::kelo::IPane> Panes::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return panes_[static_cast<std::size_t>(index - 1)];
}

Ptr<ostrellix::kelo::IPane> Panes::Add(std::string_view caption, const Ptr<ostrellix::kelo::IImage>& icon,
                                       std::string_view controlProgId, std::int32_t style) {
    ObjectPtr control = create_(controlProgId);
    auto pane = std::make_shared<Pane>(std::string(caption), icon, std::string(controlProgId), style, std::move(control));
    panes_.push_back(pane);
    return pane;
}

void Panes::Remove(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    panes_.erase(panes_.begin() + (index - 1));
}

}  // namespace ostrellix::standin::kelo
