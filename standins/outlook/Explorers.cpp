#include "standins/outlook/Explorers.h"

#include "standins/outlook/Errors.h"
#include "standins/outlook/Explorer.h"

namespace ostrellix::standin::outlook {

std::int32_t Explorers::Count() { return static_cast<std::int32_t>(Live().OpenWindows().Explorers().size()); }

Ptr<ol::IExplorer> Explorers::Item(std::int32_t index) {
    const auto& explorers = Live().OpenWindows().Explorers();
    if (index < 1 || index > static_cast<std::int32_t>(explorers.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return explorers[static_cast<std::size_t>(index - 1)];
}

}  // namespace ostrellix::standin::outlook
