#pragma once

#include "contracts/win/IClock.h"

namespace ostrellix::standin::system {

// A clock that moves only when told to, for tests.
class ManualClock final : public win::IClock {
public:
    explicit ManualClock(Date start) : now_(start) {}
    Date Now() override { return now_; }
    void Set(Date now) { now_ = now; }
    void AdvanceSeconds(double seconds) { now_ = now_.AddSeconds(seconds); }

private:
    Date now_;
};

}  // namespace ostrellix::standin::system
