#include "standins/kelo/client/Windows.h"

#include <algorithm>

#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"

namespace ostrellix::standin::kelo {

void Windows::Bring(Window window) {
    const Ptr<Inspector> before = ActiveInspector();
    std::erase_if(windows_, [&](const Window& open) {
        return (window.inspector && open.inspector == window.inspector) ||
               (window.explorer && open.explorer == window.explorer);
    });
    windows_.insert(windows_.begin(), std::move(window));
    Changed(before);
}

void Windows::Focus(const Ptr<Inspector>& inspector) { Bring({inspector, nullptr}); }
void Windows::Focus(const Ptr<Explorer>& explorer) { Bring({nullptr, explorer}); }

void Windows::Remove(const Inspector* inspector) {
    const Ptr<Inspector> before = ActiveInspector();
    std::erase_if(windows_, [&](const Window& open) { return open.inspector.get() == inspector; });
    Changed(before);
}

void Windows::Remove(const Explorer* explorer) {
    const Ptr<Inspector> before = ActiveInspector();
    std::erase_if(windows_, [&](const Window& open) { return open.explorer.get() == explorer; });
    Changed(before);
}

void Windows::Changed(const Ptr<Inspector>& before) {
    if (ActiveInspector() != before) events_.AfterActiveInspectorChanged.Raise();
}

Ptr<Inspector> Windows::ActiveInspector() const {
    return windows_.empty() ? nullptr : windows_.front().inspector;
}

Ptr<Explorer> Windows::ActiveExplorer() const {
    for (const Window& window : windows_) {
        if (window.explorer) return window.explorer;
    }
    return nullptr;
}

std::vector<Ptr<Inspector>> Windows::Inspectors() const {
    std::vector<Ptr<Inspector>> inspectors;
    for (const Window& window : windows_) {
        if (window.inspector) inspectors.push_back(window.inspector);
    }
    return inspectors;
}

std::vector<Ptr<Explorer>> Windows::Explorers() const {
    std::vector<Ptr<Explorer>> explorers;
    for (const Window& window : windows_) {
        if (window.explorer) explorers.push_back(window.explorer);
    }
    return explorers;
}

}  // namespace ostrellix::standin::kelo
