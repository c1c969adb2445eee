#include "standins/kelo/client/DialogPlans.h"

namespace ostrellix::standin::kelo {

std::optional<std::int32_t> DialogPlans::TakeCancel() {
    if (cancels_.empty()) return std::nullopt;
    const std::int32_t steps = cancels_.front();
    cancels_.pop_front();
    return steps;
}

std::optional<DialogPlans::FilterEdit> DialogPlans::TakeFilterEdit() {
    if (filterEdits_.empty()) return std::nullopt;
    FilterEdit edit = std::move(filterEdits_.front());
    filterEdits_.pop_front();
    return edit;
}

}  // namespace ostrellix::standin::kelo
