#include "standins/kelo/client/MessageBoxes.h"

namespace ostrellix::standin::kelo {

std::int32_t MessageBoxes::Show(std::string_view text, std::int32_t flags) {
    std::int32_t answer;
    if (!queued_.empty()) {
        answer = queued_.front();
        queued_.pop_front();
    } else if (policy_) {
        answer = standin::system::ConsoleMessageBox::PolicyAnswer(*policy_, flags);
    } else {
        answer = platform_.Show(text, "Kelo", flags);
    }
    history_.push_back({std::string(text), flags, answer});
    return answer;
}

}  // namespace ostrellix::standin::kelo
