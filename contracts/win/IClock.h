#pragma once

#include "runtime/Date.h"

namespace ostrellix::win {

// Local date and time of the machine. Tests use a clock they move by hand.
class IClock {
public:
    virtual ~IClock() = default;
    virtual Date Now() = 0;
};

}  // namespace ostrellix::win
