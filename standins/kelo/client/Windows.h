#pragma once

#include <memory>
#include <vector>

#include "contracts/kelo/IApplication.h"
#include "runtime/Object.h"

namespace ostrellix::standin::kelo {

class Inspector;
class Explorer;

// The client's open windows, the one in front first. The active inspector
// is the record window in front (nothing when a list window is); the active
// explorer is the list window in front, or, behind record windows, the
// list window that was in front last. A change of the active inspector
// raises AfterActiveInspectorChanged.
class Windows {
public:
    explicit Windows(ostrellix::kelo::ApplicationEvents& events) : events_(events) {}

    // Brings an open window to the front, or opens it there.
    void Focus(const Ptr<Inspector>& inspector);
    void Focus(const Ptr<Explorer>& explorer);
    void Remove(const Inspector* inspector);
    void Remove(const Explorer* explorer);
    // Forgets every window without events.
    void Clear() { windows_.clear(); }

    Ptr<Inspector> ActiveInspector() const;
    Ptr<Explorer> ActiveExplorer() const;
    std::vector<Ptr<Inspector>> Inspectors() const;
    std::vector<Ptr<Explorer>> Explorers() const;

private:
    struct Window {
        Ptr<Inspector> inspector;
        Ptr<Explorer> explorer;
    };
    void Bring(Window window);
    void Changed(const Ptr<Inspector>& before);

    ostrellix::kelo::ApplicationEvents& events_;
    std::vector<Window> windows_;  // front first
};

}  // namespace ostrellix::standin::kelo
