#include "standins/outlook/CommandBars.h"

#include "runtime/Text.h"
#include "standins/outlook/CommandBar.h"

namespace ostrellix::standin::outlook {

CommandBars::CommandBars(Ptr<Instance> instance) : InstanceBound(instance) {
    bars_.emplace("standard", std::make_shared<CommandBar>(instance, "Standard"));
}

Ptr<office::ICommandBar> CommandBars::Item(std::string_view name) {
    Live();
    const auto found = bars_.find(text::LCase(name));
    return found == bars_.end() ? nullptr : found->second;
}

void CommandBars::RemoveTemporaryControls() {
    for (auto& [name, bar] : bars_) bar->RemoveTemporaryControls();
}

}  // namespace ostrellix::standin::outlook
