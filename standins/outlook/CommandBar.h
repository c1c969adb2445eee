#pragma once

#include <string>
#include <vector>

#include "contracts/office/ICommandBar.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class CommandBarButton;

// One command bar of a window and the buttons added to it. Only temporary
// buttons can be added here (the window's bars live and die with it).
class CommandBar final : public office::ICommandBar, protected InstanceBound {
public:
    CommandBar(Ptr<Instance> instance, std::string name);

    std::string Name() override;
    // The first button with that tag; nothing when none has it.
    Ptr<office::ICommandBarButton> FindControl(std::string_view tag) override;
    Ptr<office::ICommandBarButton> AddButton(bool temporary) override;
    std::int32_t ControlCount() override;

    // The buttons in the order they were added.
    const std::vector<Ptr<CommandBarButton>>& Controls() const { return controls_; }
    void Remove(const CommandBarButton* button);
    void RemoveTemporaryControls();

private:
    std::string name_;
    std::vector<Ptr<CommandBarButton>> controls_;
};

}  // namespace ostrellix::standin::outlook
