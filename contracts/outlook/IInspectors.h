#pragma once

#include <cstdint>

#include "contracts/outlook/IInspector.h"

namespace ostrellix::outlook {

struct InspectorsEvents {
    Signal<const Ptr<IInspector>&> NewInspector;
};

// The open item windows; NewInspector is raised as a window opens, before
// it shows its item.
class IInspectors : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IInspector> Item(std::int32_t index) = 0;  // 1-based

    virtual InspectorsEvents& Events() = 0;
};

}  // namespace ostrellix::outlook
