#include "apps/ostrellix/RecordWindows.h"

#include <algorithm>
#include <ostream>

#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IRecord.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::host {

RecordWindows::RecordWindows(Machine& machine)
    : machine_(machine), before_(machine.KeloApp().WindowList().Inspectors()) {}

std::vector<RecordWindows::Window> RecordWindows::Finish(bool save) {
    auto& user = machine_.KeloUser();
    std::vector<Window> opened;
    for (const auto& window : machine_.KeloApp().WindowList().Inspectors()) {
        if (std::ranges::count(before_, window) > 0) continue;
        const auto record = window->Record();
        Window seen{record ? record->Class()->Name() : std::string("unknown")};
        if (save && record) {
            user.Save(window);
            seen.id = record->ID();
            seen.saved = true;
        }
        user.Close(window);
        opened.push_back(seen);
    }
    return opened;
}

void RecordWindows::Print(const Window& window, std::ostream& out) {
    if (window.saved) {
        out << "Record window opened and saved: " << window.className << " " << window.id << "\n";
    } else {
        out << "Record window opened, not saved: " << window.className << " (--save-windows saves it)\n";
    }
}

nlohmann::json RecordWindows::Json(const Window& window) {
    nlohmann::json object = {{"action", "window"}, {"class", window.className}, {"saved", window.saved}};
    if (window.saved) object["id"] = window.id;
    return object;
}

}  // namespace ostrellix::host
