#include "standins/outlook/FolderEventQueue.h"

#include "runtime/ErrorHandling.h"

namespace ostrellix::standin::outlook {

void FolderEventQueue::Leave() {
    if (--depth_ == 0) Deliver();
}

void FolderEventQueue::Post(std::function<void()> event) {
    pending_.push_back(std::move(event));
    if (depth_ == 0) Deliver();
}

void FolderEventQueue::Deliver() {
    // Delivering is a level of its own: calls the handlers make do not
    // start a delivery inside this one.
    ++depth_;
    while (!pending_.empty()) {
        const std::function<void()> event = std::move(pending_.front());
        pending_.pop_front();
        IgnoreErrors(event);
    }
    --depth_;
}

}  // namespace ostrellix::standin::outlook
