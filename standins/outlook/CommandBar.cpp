#include "standins/outlook/CommandBar.h"

#include "standins/outlook/CommandBarButton.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

CommandBar::CommandBar(Ptr<Instance> instance, std::string name)
    : InstanceBound(std::move(instance)), name_(std::move(name)) {}

std::string CommandBar::Name() {
    Live();
    return name_;
}

Ptr<office::ICommandBarButton> CommandBar::FindControl(std::string_view tag) {
    Live();
    for (const Ptr<CommandBarButton>& control : controls_) {
        if (control->TagText() == tag) return control;
    }
    return nullptr;
}

Ptr<office::ICommandBarButton> CommandBar::AddButton(bool temporary) {
    Live();
    if (!temporary) {
        errors::Raise(errors::kNotAvailable,
                      "Only temporary buttons can be added to the command bars of this Outlook's windows.");
    }
    auto button = std::make_shared<CommandBarButton>(SharedOwner(), SelfAs<CommandBar>());
    controls_.push_back(button);
    return button;
}

std::int32_t CommandBar::ControlCount() {
    Live();
    return static_cast<std::int32_t>(controls_.size());
}

void CommandBar::Remove(const CommandBarButton* button) {
    std::erase_if(controls_, [&](const Ptr<CommandBarButton>& control) { return control.get() == button; });
}

void CommandBar::RemoveTemporaryControls() {
    for (const Ptr<CommandBarButton>& control : controls_) control->Removed();
    controls_.clear();
}

}  // namespace ostrellix::standin::outlook
