#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ostrellix::win {

// One entry of a pop-up menu: a number the program chose (never 0), the
// text shown, whether it can be chosen, and, for an entry that opens a
// submenu, that submenu's entries (such an entry itself is never chosen).
struct MenuItem {
    std::int32_t number = 0;
    std::string text;
    bool enabled = true;
    std::vector<MenuItem> submenu;
};

// The window system's pop-up (context) menus. Show puts the menu up at a
// position (pixels from the top left of the owning window's client area;
// window 0 is the active window) and waits: the number of the entry
// the person chose, or 0 when they dismissed the menu.
class IPopupMenus {
public:
    virtual ~IPopupMenus() = default;
    virtual std::int32_t Show(const std::vector<MenuItem>& items, std::int32_t x, std::int32_t y,
                              std::int64_t window) = 0;
};

}  // namespace ostrellix::win
