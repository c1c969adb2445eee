#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ostrellix::standin::system {

// Makes one call into the platform fail, as the programs fail in the field:
// Outlook goes away, the MAPI session drops, the data engine refuses a
// write, the disk fills. Every stand-in passes the calls it takes through
// Pass at the one place it funnels them, naming the member ("Outlook",
// "MAPI", "Engine", "Kelo", "WriteFile", "Registry"); the stand-in raises its own
// platform's error when Pass says the call is the one chosen. Off until a
// test or the host program arms it; counting goes on regardless.
class FaultSwitch {
public:
    // Which call to fail: the `call`-th (from 1) of `member`, or of all
    // calls when no member is named.
    struct Plan {
        std::string member;
        std::int64_t call = 0;
    };

    // "k" or "Member:k" (k from 1); nothing for any other text.
    static std::optional<Plan> Parse(std::string_view text);

    // Fails the call-th call from now on (of the member, when named); one
    // call only: the calls after it succeed again.
    void Arm(Plan plan);
    void Disarm() { plan_.reset(); }
    bool Armed() const { return plan_.has_value(); }
    // True once the armed call has been failed.
    bool Fired() const { return fired_; }

    // Counts a call of `member`; true when it must fail.
    bool Pass(std::string_view member);

    // Calls counted since the switch was made.
    std::int64_t Calls() const { return calls_; }

private:
    std::optional<Plan> plan_;
    std::int64_t remaining_ = 0;
    std::int64_t calls_ = 0;
    bool fired_ = false;
};

}  // namespace ostrellix::standin::system
