#include "standins/kelo/client/DialogPlans.h"

namespace ostrellix::standin::kelo {

std::optional<DialogPlans::Cancel> DialogPlans::TakeCancel() {
    if (cancels_.empty()) return std::nullopt;
    const Cancel cancel = cancels_.front();
    cancels_.pop_front();
    return cancel;
}

std::optional<DialogPlans::FilterEdit> DialogPlans::TakeFilterEdit() {
    if (filterEdits_.empty()) return std::nullopt;
    FilterEdit edit = std::move(filterEdits_.front());
    filterEdits_.pop_front();
    return edit;
}

}  // namespace ostrellix::standin::kelo
