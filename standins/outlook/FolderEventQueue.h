#pragma once

#include <deque>
#include <functional>

namespace ostrellix::standin::outlook {

// Outlook tells a folder's collections of a change (ItemAdd, ItemChange,
// ItemRemove) from its message loop, once the user's action or the
// caller's call that made the change has finished: after the save, after
// the window has closed. Every such action or call from outside is one
// level (Enter ... Leave, nested as calls nest); events posted meanwhile
// wait, and are delivered in order when the outermost level is left,
// also when it is left by an error, since the store has changed all the
// same. Events posted while they are delivered join the same delivery. A
// change made outside every level is delivered at once.
//
// A handler's error goes nowhere, as an event sink's failure does not
// reach whoever raised the event in Outlook.
class FolderEventQueue {
public:
    void Enter() { ++depth_; }
    void Leave();
    void Post(std::function<void()> event);
    // Outlook went away: what was waiting is never delivered.
    void Clear() { pending_.clear(); }

private:
    void Deliver();

    std::deque<std::function<void()>> pending_;
    int depth_ = 0;
};

}  // namespace ostrellix::standin::outlook
