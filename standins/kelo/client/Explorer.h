#pragma once

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "contracts/kelo/IExplorer.h"
#include "standins/kelo/engine/Class.h"

namespace ostrellix::standin::kelo {

class Engine;
class Inspector;
class ListItem;
class Windows;

// A list window: records of one class in a list, the entry the cursor is
// on (active), the entries the user selected, and the record card shown
// with it. A list of its own shows the active entry's card; a list embedded
// in a record window (ParentInspector) shows that window's card.
class Explorer final : public ostrellix::kelo::IExplorer {
public:
    Explorer(std::weak_ptr<Windows> windows, std::shared_ptr<Engine> engine, Ptr<kelo::Class> cls,
             std::vector<std::int32_t> rows, Ptr<kelo::Inspector> parent);

    Ptr<ostrellix::kelo::IClass> Class() override { return class_; }
    Ptr<ostrellix::kelo::IListItem> ActiveItem() override;
    Ptr<ostrellix::kelo::ISelection> Selection() override;
    Ptr<ostrellix::kelo::IList> List() override;
    Ptr<ostrellix::kelo::IInspector> Inspector() override;
    Ptr<ostrellix::kelo::IInspector> ParentInspector() override;

    const std::vector<std::int32_t>& Rows() const { return rows_; }
    Ptr<ListItem> Item(std::int32_t id);
    // The user selects entries (in this order); the first becomes the
    // active one unless the active one is among them. Raises 5 for an id
    // that is not in the list.
    void Select(const std::vector<std::int32_t>& ids);
    // The cursor moves to the entry (nothing: no entry).
    void SetActive(std::optional<std::int32_t> id);
    void Activate();
    void Close();

private:
    void RequireRow(std::int32_t id) const;

    std::weak_ptr<Windows> windows_;
    std::shared_ptr<Engine> engine_;
    Ptr<kelo::Class> class_;
    std::vector<std::int32_t> rows_;
    std::weak_ptr<kelo::Inspector> parent_;
    std::map<std::int32_t, Ptr<ListItem>> items_;
    std::vector<std::int32_t> selected_;
    std::optional<std::int32_t> active_;
    Ptr<kelo::Inspector> card_;
};

}  // namespace ostrellix::standin::kelo
