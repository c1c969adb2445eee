#pragma once

#include <cstdint>

#include "contracts/outlook/IExplorer.h"

namespace ostrellix::outlook {

struct ExplorersEvents {
    Signal<const Ptr<IExplorer>&> NewExplorer;
};

// The open folder windows.
class IExplorers : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IExplorer> Item(std::int32_t index) = 0;  // 1-based

    virtual ExplorersEvents& Events() = 0;
};

}  // namespace ostrellix::outlook
