#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contracts/office/ICommandBarButton.h"
#include "runtime/Variant.h"

namespace ostrellix::office {

// One command bar of a window. FindControl looks for a control by tag
// (nothing when none); AddButton adds a button, temporary ones vanish when
// the window closes.
class ICommandBar : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual Ptr<ICommandBarButton> FindControl(std::string_view tag) = 0;
    virtual Ptr<ICommandBarButton> AddButton(bool temporary) = 0;
    virtual std::int32_t ControlCount() = 0;
};

}  // namespace ostrellix::office
