#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "contracts/win/IClock.h"

namespace ostrellix::standin::kelo {

// The client's timers by id, on the clock of the operating system (a test
// clock in tests). A timer is due an interval after it was set and again
// an interval after each firing. Like the platform's timers, one that is
// overdue by several intervals fires once: whoever drives the clock in
// steps (the simulated user) sees every firing, whoever lets real time
// pass (the command-line host) sees them coalesced.
class TimerQueue {
public:
    explicit TimerQueue(win::IClock& clock) : clock_(clock) {}

    // Starts (or restarts) the timer; 0 milliseconds stops it; a negative
    // interval raises 5.
    void Set(std::int32_t id, std::int32_t milliseconds);
    bool IsRunning(std::int32_t id) const;
    std::optional<Date> NextDue() const;
    // Fires every timer due by now, in due order (ties in the order set);
    // `fire` may set or stop timers, including the one it fires.
    void FireDue(const std::function<void(std::int32_t)>& fire);

private:
    struct Timer {
        std::int32_t id;
        std::int32_t milliseconds;
        Date due;
        std::uint64_t order;
    };

    win::IClock& clock_;
    std::vector<Timer> timers_;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace ostrellix::standin::kelo
