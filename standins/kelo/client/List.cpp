#include "standins/kelo/client/List.h"

#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/ListItem.h"

namespace ostrellix::standin::kelo {

std::int32_t List::Count() { return static_cast<std::int32_t>(explorer_->Rows().size()); }

Ptr<ostrellix::kelo::IListItem> List::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return explorer_->Item(explorer_->Rows()[static_cast<std::size_t>(index - 1)]);
}

Ptr<ostrellix::kelo::IRecord> List::CurrentRecord() {
    const Ptr<ostrellix::kelo::IListItem> active = explorer_->ActiveItem();
    return active ? active->Record() : nullptr;
}

}  // namespace ostrellix::standin::kelo
