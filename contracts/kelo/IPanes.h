#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/kelo/IPane.h"

namespace ostrellix::kelo {

// The client's side panes, in the order added.
class IPanes : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IPane> Item(std::int32_t index) = 0;  // 1-based; raises 9 out of range
    // Creates the control by its ProgID and hosts it in a new pane; raises
    // 429 when no class is registered under the ProgID.
    virtual Ptr<IPane> Add(std::string_view caption, const Ptr<IImage>& icon, std::string_view controlProgId,
                           std::int32_t style) = 0;
    virtual void Remove(std::int32_t index) = 0;  // 1-based; raises 9 out of range
    // True while the client shows its pane bar: panes added or removed now
    // appear or vanish at once. False: the change shows after a restart.
    virtual bool Active() = 0;
};

}  // namespace ostrellix::kelo
