#include "standins/kelo/client/Explorer.h"

#include <algorithm>

#include "runtime/ComError.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/List.h"
#include "standins/kelo/client/ListItem.h"
#include "standins/kelo/client/Selection.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::standin::kelo {

Explorer::Explorer(std::weak_ptr<Windows> windows, std::shared_ptr<Engine> engine, Ptr<kelo::Class> cls,
                   std::vector<std::int32_t> rows, Ptr<kelo::Inspector> parent)
    : windows_(std::move(windows)),
      engine_(std::move(engine)),
      class_(std::move(cls)),
      rows_(std::move(rows)),
      parent_(parent) {}

void Explorer::RequireRow(std::int32_t id) const {
    if (std::find(rows_.begin(), rows_.end(), id) == rows_.end()) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.Explorer",
                       "The list of " + class_->Spec().name + " records holds no record with id " + std::to_string(id));
    }
}

Ptr<ListItem> Explorer::Item(std::int32_t id) {
    RequireRow(id);
    Ptr<ListItem>& item = items_[id];
    if (!item) item = std::make_shared<ListItem>(engine_, class_, id);
    return item;
}

Ptr<ostrellix::kelo::IListItem> Explorer::ActiveItem() { return active_ ? Item(*active_) : nullptr; }

Ptr<ostrellix::kelo::ISelection> Explorer::Selection() {
    std::vector<Ptr<ostrellix::kelo::IListItem>> items;
    for (std::int32_t id : selected_) items.push_back(Item(id));
    return std::make_shared<kelo::Selection>(std::move(items));
}

Ptr<ostrellix::kelo::IList> Explorer::List() { return std::make_shared<kelo::List>(SelfAs<Explorer>()); }

Ptr<ostrellix::kelo::IInspector> Explorer::Inspector() {
    if (Ptr<kelo::Inspector> parent = parent_.lock()) return parent;
    return card_;
}

Ptr<ostrellix::kelo::IInspector> Explorer::ParentInspector() { return parent_.lock(); }

void Explorer::Select(const std::vector<std::int32_t>& ids) {
    for (std::int32_t id : ids) RequireRow(id);
    selected_ = ids;
    if (!ids.empty() && (!active_ || std::find(ids.begin(), ids.end(), *active_) == ids.end())) SetActive(ids.front());
}

void Explorer::SetActive(std::optional<std::int32_t> id) {
    if (id) RequireRow(*id);
    if (active_ == id) return;
    active_ = id;
    card_ = id ? std::make_shared<kelo::Inspector>(windows_, Item(*id)->Record(), nullptr) : nullptr;
}

void Explorer::Activate() {
    if (const Ptr<Windows> windows = windows_.lock()) windows->Focus(SelfAs<Explorer>());
}

void Explorer::Close() {
    const Ptr<Explorer> self = SelfAs<Explorer>();
    if (const Ptr<Windows> windows = windows_.lock()) windows->Remove(this);
}

}  // namespace ostrellix::standin::kelo
