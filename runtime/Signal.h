#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "runtime/Connection.h"

namespace ostrellix {

// A typed event. Handlers run in the order they connected. Arguments may be
// references, so a handler can answer through them (a `bool& Cancel`).
//
// Raising is safe against everything a handler may do meanwhile: connect
// (the new handler waits for the next raise), disconnect itself or others
// (they are skipped at once), raise the event again, or destroy the object
// that owns the signal (the remaining handlers are skipped).
template <class... Args>
class Signal {
public:
    using Handler = std::function<void(Args...)>;

    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;
    ~Signal() {
        for (auto& slot : state_->slots) slot->connected = false;
        state_->alive = false;
    }

    Connection Connect(Handler handler) {
        Prune();
        auto slot = std::make_shared<Slot>();
        slot->handler = std::move(handler);
        state_->slots.push_back(slot);
        return Connection(std::weak_ptr<detail::SlotState>(slot));
    }

    void Raise(Args... args) {
        const std::shared_ptr<State> state = state_;  // outlives a handler that destroys us
        const std::vector<std::shared_ptr<Slot>> snapshot = state->slots;
        for (const auto& slot : snapshot) {
            if (slot->connected) slot->handler(args...);
        }
        if (state->alive) Prune();
    }

    std::size_t HandlerCount() const {
        return static_cast<std::size_t>(std::count_if(state_->slots.begin(), state_->slots.end(),
                                                      [](const auto& slot) { return slot->connected; }));
    }

private:
    struct Slot : detail::SlotState {
        Handler handler;
    };
    struct State {
        std::vector<std::shared_ptr<Slot>> slots;
        bool alive = true;
    };

    void Prune() {
        std::erase_if(state_->slots, [](const auto& slot) { return !slot->connected; });
    }

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace ostrellix
