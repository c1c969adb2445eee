#pragma once

#include <string_view>

#include "contracts/office/ICommandBar.h"

namespace ostrellix::office {

// The command bars of a window, by name ("Standard"); nothing when absent.
class ICommandBars : public virtual Object {
public:
    virtual Ptr<ICommandBar> Item(std::string_view name) = 0;
};

}  // namespace ostrellix::office
