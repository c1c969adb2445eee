#pragma once

#include "contracts/outlook/IInspectors.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The open item windows of the running Outlook, in the order they opened
// (newest first); NewInspector is raised as a window opens, before it shows.
class Inspectors final : public ol::IInspectors, protected InstanceBound {
public:
    using InstanceBound::InstanceBound;

    std::int32_t Count() override;
    Ptr<ol::IInspector> Item(std::int32_t index) override;
    ol::InspectorsEvents& Events() override { return Unchecked().OpenWindows().InspectorEvents(); }
};

}  // namespace ostrellix::standin::outlook
