#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <string>

#include "contracts/win/IMessageBox.h"
#include "runtime/Signal.h"

namespace ostrellix::standin::system {

// The platform message box on a terminal. Answers come, in this order, from
// the queue of answers given in advance (tests), from the person at the
// terminal when the policy is Ask and input is a terminal, or else from the
// policy: the default button, Yes (or OK), or No (or Cancel, or OK).
class ConsoleMessageBox final : public win::IMessageBox {
public:
    enum class Policy { Ask, DefaultButton, Yes, No };

    ConsoleMessageBox(std::istream& in, std::ostream& out, bool inputIsTerminal, Policy policy);

    void SetPolicy(Policy policy) { policy_ = policy; }
    void QueueAnswer(std::int32_t answer) { queued_.push_back(answer); }

    std::int32_t Show(std::string_view text, std::string_view caption, std::int32_t flags) override;

    // Text, caption, flags and the answer given, after each box.
    Signal<const std::string&, const std::string&, std::int32_t, std::int32_t> Shown;

    // The answer a policy gives for a box with these flags.
    static std::int32_t PolicyAnswer(Policy policy, std::int32_t flags);

private:
    std::int32_t AskAtTerminal(std::string_view text, std::string_view caption, std::int32_t flags);

    std::istream& in_;
    std::ostream& out_;
    bool inputIsTerminal_;
    Policy policy_;
    std::deque<std::int32_t> queued_;
};

}  // namespace ostrellix::standin::system
