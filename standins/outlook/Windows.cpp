#include "standins/outlook/Windows.h"

#include <algorithm>

#include "standins/outlook/Explorer.h"
#include "standins/outlook/Inspector.h"

namespace ostrellix::standin::outlook {

namespace {
template <class Window>
void MoveToEnd(std::vector<Ptr<Window>>& windows, const Ptr<Window>& window) {
    std::erase(windows, window);
    windows.push_back(window);
}

template <class Window>
Ptr<Window> LastDisplayed(const std::vector<Ptr<Window>>& windows) {
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if ((*it)->Displayed()) return *it;
    }
    return nullptr;
}
}  // namespace

Ptr<Inspector> Windows::ActiveInspector() const { return LastDisplayed(inspectors_); }

Ptr<Explorer> Windows::ActiveExplorer() const { return LastDisplayed(explorers_); }

void Windows::Opened(const Ptr<Inspector>& inspector) {
    inspectors_.insert(inspectors_.begin(), inspector);
    inspectorEvents_.NewInspector.Raise(inspector);
}

void Windows::Opened(const Ptr<Explorer>& explorer) {
    explorers_.insert(explorers_.begin(), explorer);
    explorerEvents_.NewExplorer.Raise(explorer);
}

void Windows::Deactivate(const Object* next) {
    if (focus_ == next) return;
    const Object* previous = focus_;
    focus_ = next;
    for (const Ptr<Inspector>& inspector : std::vector<Ptr<Inspector>>(inspectors_)) {
        if (inspector.get() == previous) inspector->Events().Deactivate.Raise();
    }
}

void Windows::Activate(const Ptr<Inspector>& inspector) {
    MoveToEnd(inspectors_, inspector);
    Deactivate(inspector.get());
}

void Windows::Activate(const Ptr<Explorer>& explorer) {
    MoveToEnd(explorers_, explorer);
    Deactivate(explorer.get());
}

void Windows::Closed(const Inspector* inspector) {
    if (focus_ == inspector) focus_ = nullptr;
    std::erase_if(inspectors_, [&](const Ptr<Inspector>& open) { return open.get() == inspector; });
}

void Windows::Closed(const Explorer* explorer) {
    if (focus_ == explorer) focus_ = nullptr;
    std::erase_if(explorers_, [&](const Ptr<Explorer>& open) { return open.get() == explorer; });
}

void Windows::Clear() {
    inspectors_.clear();
    explorers_.clear();
    focus_ = nullptr;
}

}  // namespace ostrellix::standin::outlook
