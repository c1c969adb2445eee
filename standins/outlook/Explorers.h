#pragma once

#include "contracts/outlook/IExplorers.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The open folder windows of the running Outlook; NewExplorer is raised as
// one is made, before it shows.
class Explorers final : public ol::IExplorers, protected InstanceBound {
public:
    using InstanceBound::InstanceBound;

    std::int32_t Count() override;
    Ptr<ol::IExplorer> Item(std::int32_t index) override;
    ol::ExplorersEvents& Events() override { return Unchecked().OpenWindows().ExplorerEvents(); }
};

}  // namespace ostrellix::standin::outlook
