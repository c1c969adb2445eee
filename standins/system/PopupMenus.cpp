#include "standins/system/PopupMenus.h"

#include "runtime/Text.h"

namespace ostrellix::standin::system {

namespace {

const win::MenuItem* Find(const std::vector<win::MenuItem>& items, const std::string& text, std::int32_t number) {
    for (const win::MenuItem& item : items) {
        if (!item.submenu.empty()) {
            // A submenu that cannot be opened hides its entries.
            if (!item.enabled) continue;
            if (const win::MenuItem* inner = Find(item.submenu, text, number)) return inner;
            continue;
        }
        const bool match = number != 0 ? item.number == number : text::EqualsIgnoreCase(item.text, text);
        if (match) return &item;
    }
    return nullptr;
}

}  // namespace

std::int32_t PopupMenus::Show(const std::vector<win::MenuItem>& items, std::int32_t x, std::int32_t y,
                              std::int64_t window) {
    Shown shown{items, x, y, window, 0};
    if (!plans_.empty()) {
        const Plan plan = plans_.front();
        plans_.pop_front();
        if (plan.number != 0 || !plan.text.empty()) {
            const win::MenuItem* item = Find(items, plan.text, plan.number);
            if (item && item->enabled) shown.chosen = item->number;
        }
    }
    shown_.push_back(shown);
    return shown.chosen;
}

}  // namespace ostrellix::standin::system
