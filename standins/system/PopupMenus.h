#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "contracts/win/IPopupMenus.h"

namespace ostrellix::standin::system {

// Pop-up menus with the person in front of them planned ahead: each plan
// chooses in the next menu shown, by an entry's text (searched through the
// submenus too) or by its number. A menu without a plan, or whose planned
// entry is missing or disabled, is dismissed (0), as a person who finds
// nothing to choose would. Every menu shown is kept with what was chosen.
class PopupMenus final : public win::IPopupMenus {
public:
    struct Shown {
        std::vector<win::MenuItem> items;
        std::int32_t x = 0;
        std::int32_t y = 0;
        std::int64_t window = 0;
        std::int32_t chosen = 0;
    };

    std::int32_t Show(const std::vector<win::MenuItem>& items, std::int32_t x, std::int32_t y,
                      std::int64_t window) override;

    void PlanChoice(std::string text) { plans_.push_back({std::move(text), 0}); }
    void PlanChoice(std::int32_t number) { plans_.push_back({"", number}); }
    void PlanDismiss() { plans_.push_back({"", 0}); }
    std::size_t PlansLeft() const { return plans_.size(); }
    const std::vector<Shown>& History() const { return shown_; }

private:
    struct Plan {
        std::string text;
        std::int32_t number = 0;
    };

    std::deque<Plan> plans_;
    std::vector<Shown> shown_;
};

}  // namespace ostrellix::standin::system
