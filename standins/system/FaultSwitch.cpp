#include "standins/system/FaultSwitch.h"

#include <charconv>

#include "runtime/Text.h"

namespace ostrellix::standin::system {

std::optional<FaultSwitch::Plan> FaultSwitch::Parse(std::string_view text) {
    Plan plan;
    std::string_view number = text;
    if (const auto colon = text.rfind(':'); colon != std::string_view::npos) {
        plan.member = std::string(text.substr(0, colon));
        number = text.substr(colon + 1);
        if (plan.member.empty()) return std::nullopt;
    }
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, plan.call);
    if (number.empty() || error != std::errc() || stop != end || plan.call < 1) return std::nullopt;
    return plan;
}

void FaultSwitch::Arm(Plan plan) {
    remaining_ = plan.call;
    plan_ = std::move(plan);
    fired_ = false;
}

bool FaultSwitch::Pass(std::string_view member) {
    ++calls_;
    if (!plan_) return false;
    if (!plan_->member.empty() && !text::EqualsIgnoreCase(plan_->member, member)) return false;
    if (--remaining_ > 0) return false;
    plan_.reset();
    fired_ = true;
    return true;
}

}  // namespace ostrellix::standin::system
