#include "standins/outlook/Inspectors.h"

#include "standins/outlook/Errors.h"
#include "standins/outlook/Inspector.h"

namespace ostrellix::standin::outlook {

std::int32_t Inspectors::Count() { return static_cast<std::int32_t>(Live().OpenWindows().Inspectors().size()); }

Ptr<ol::IInspector> Inspectors::Item(std::int32_t index) {
    const auto& inspectors = Live().OpenWindows().Inspectors();
    if (index < 1 || index > static_cast<std::int32_t>(inspectors.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return inspectors[static_cast<std::size_t>(index - 1)];
}

}  // namespace ostrellix::standin::outlook
