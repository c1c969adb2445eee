#pragma once

#include <cstdint>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "apps/ostrellix/Machine.h"
#include "standins/kelo/client/Inspector.h"

namespace ostrellix::host {

// The Kelo record windows an action opened: the add-in shows a record it
// made in a window and leaves storing it to the user. Made before the
// action, it remembers the windows open then; Finish then deals with the
// others as the user would: presses Save and closes them, or closes them
// unsaved, so that a run of the program leaves no window open.
class RecordWindows {
public:
    struct Window {
        std::string className;
        std::int32_t id = 0;  // once saved
        bool saved = false;
    };

    explicit RecordWindows(Machine& machine);
    RecordWindows(const RecordWindows&) = delete;
    RecordWindows& operator=(const RecordWindows&) = delete;

    std::vector<Window> Finish(bool save);

    // "Record window opened and saved: document 12", or that it was not saved.
    static void Print(const Window& window, std::ostream& out);
    static nlohmann::json Json(const Window& window);

private:
    Machine& machine_;
    std::vector<Ptr<standin::kelo::Inspector>> before_;
};

}  // namespace ostrellix::host
