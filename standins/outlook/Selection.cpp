#include "standins/outlook/Selection.h"

#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

std::int32_t Selection::Count() {
    Live();
    return static_cast<std::int32_t>(items_.size());
}

Ptr<ol::IItem> Selection::Item(std::int32_t index) {
    Live();
    if (index < 1 || index > Count()) errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    return items_[static_cast<std::size_t>(index - 1)];
}

}  // namespace ostrellix::standin::outlook
