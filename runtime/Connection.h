#pragma once

#include <memory>

namespace ostrellix {

namespace detail {
struct SlotState {
    bool connected = true;
};
}  // namespace detail

// The handle of one event handler's subscription. Destroying it (or calling
// Disconnect) stops the handler from being called, at once, even while the
// event is being raised; it is harmless after the event source is gone.
// Keep it as a member of the listener so that a released listener stops
// receiving.
class [[nodiscard]] Connection {
public:
    Connection() = default;
    explicit Connection(std::weak_ptr<detail::SlotState> slot) : slot_(std::move(slot)) {}
    Connection(Connection&& other) noexcept = default;
    Connection& operator=(Connection&& other) noexcept;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { Disconnect(); }

    void Disconnect();
    bool Connected() const;

private:
    std::weak_ptr<detail::SlotState> slot_;
};

}  // namespace ostrellix
