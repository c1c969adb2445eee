#pragma once

#include <map>
#include <string>

#include "contracts/office/ICommandBars.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

class CommandBar;

// The command bars of an item window: "Standard" (names compare without
// regard to case).
class CommandBars final : public office::ICommandBars, protected InstanceBound {
public:
    explicit CommandBars(Ptr<Instance> instance);

    Ptr<office::ICommandBar> Item(std::string_view name) override;

    // The window closes: its temporary buttons go away.
    void RemoveTemporaryControls();

private:
    std::map<std::string, Ptr<CommandBar>> bars_;
};

}  // namespace ostrellix::standin::outlook
