#include "standins/kelo/client/TimerQueue.h"

#include <algorithm>

#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

void TimerQueue::Set(std::int32_t id, std::int32_t milliseconds) {
    if (milliseconds < 0) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.Application",
                       "A timer interval cannot be negative (" + std::to_string(milliseconds) + " ms)");
    }
    std::erase_if(timers_, [&](const Timer& timer) { return timer.id == id; });
    if (milliseconds == 0) return;
    timers_.push_back({id, milliseconds, clock_.Now().AddSeconds(milliseconds / 1000.0), nextOrder_++});
}

bool TimerQueue::IsRunning(std::int32_t id) const {
    return std::any_of(timers_.begin(), timers_.end(), [&](const Timer& timer) { return timer.id == id; });
}

std::optional<Date> TimerQueue::NextDue() const {
    std::optional<Date> next;
    for (const Timer& timer : timers_) {
        if (!next || timer.due < *next) next = timer.due;
    }
    return next;
}

void TimerQueue::FireDue(const std::function<void(std::int32_t)>& fire) {
    const Date now = clock_.Now();
    std::vector<Timer> due;
    for (const Timer& timer : timers_) {
        if (timer.due <= now) due.push_back(timer);
    }
    std::sort(due.begin(), due.end(), [](const Timer& a, const Timer& b) {
        return a.due < b.due || (a.due == b.due && a.order < b.order);
    });
    for (const Timer& fired : due) {
        // An earlier handler may have stopped or restarted this timer.
        const auto current = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& timer) {
            return timer.id == fired.id && timer.order == fired.order;
        });
        if (current == timers_.end()) continue;
        current->due = now.AddSeconds(current->milliseconds / 1000.0);
        fire(fired.id);
    }
}

}  // namespace ostrellix::standin::kelo
