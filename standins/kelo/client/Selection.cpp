#include "standins/kelo/client/Selection.h"

#include "runtime/ComError.h"

namespace ostrellix::standin::kelo {

Ptr<ostrellix::kelo::IListItem> Selection::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return items_[static_cast<std::size_t>(index - 1)];
}

}  // namespace ostrellix::standin::kelo
