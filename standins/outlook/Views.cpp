#include "standins/outlook/Views.h"

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/View.h"

namespace ostrellix::standin::outlook {

std::int32_t Views::Count() { return static_cast<std::int32_t>(Live().Store().Views(folder_).size()); }

Ptr<ol::IView> Views::Item(std::int32_t index) {
    const std::vector<ViewInfo> views = Live().Store().Views(folder_);
    if (index < 1 || index > static_cast<std::int32_t>(views.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return std::make_shared<View>(SharedOwner(), folder_, views[static_cast<std::size_t>(index - 1)].name);
}

Ptr<ol::IView> Views::Item(std::string_view name) {
    for (const ViewInfo& view : Live().Store().Views(folder_)) {
        if (text::EqualsIgnoreCase(view.name, name)) return std::make_shared<View>(SharedOwner(), folder_, view.name);
    }
    return nullptr;
}

}  // namespace ostrellix::standin::outlook
