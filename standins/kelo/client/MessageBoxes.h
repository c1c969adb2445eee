#pragma once

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "contracts/win/IMessageBox.h"
#include "standins/system/ConsoleMessageBox.h"

namespace ostrellix::standin::kelo {

// The client's message box. Answers come from the answers queued by the
// simulated user, then from its policy when one is set, and otherwise from
// the platform's message box (which asks at a terminal or follows its own
// policy). Every box shown is kept with its answer.
class MessageBoxes {
public:
    using Policy = standin::system::ConsoleMessageBox::Policy;
    struct Shown {
        std::string text;
        std::int32_t flags;
        std::int32_t answer;
    };

    explicit MessageBoxes(win::IMessageBox& platform) : platform_(platform) {}

    void QueueAnswer(std::int32_t answer) { queued_.push_back(answer); }
    void SetPolicy(std::optional<Policy> policy) { policy_ = policy; }
    std::int32_t Show(std::string_view text, std::int32_t flags);
    const std::vector<Shown>& History() const { return history_; }

private:
    win::IMessageBox& platform_;
    std::deque<std::int32_t> queued_;
    std::optional<Policy> policy_;
    std::vector<Shown> history_;
};

}  // namespace ostrellix::standin::kelo
