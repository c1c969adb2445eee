#pragma once

#include "contracts/win/IClock.h"

namespace ostrellix::standin::system {

// The machine's local time.
class SystemClock final : public win::IClock {
public:
    Date Now() override;
};

}  // namespace ostrellix::standin::system
