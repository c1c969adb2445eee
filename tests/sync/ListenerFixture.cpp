#include "tests/sync/ListenerFixture.h"

#include <algorithm>

#include "contracts/office/ICommandBar.h"
#include "contracts/office/ICommandBars.h"
#include "standins/kelo/client/Windows.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::addin {

ListenerTest::ListenerTest() : before_(world.Kelo().WindowList().Inspectors()) {
    SetListening(true);
    using standin::kelo::Engine;
    recordChanges_ = world.Client().Data()->RecordChanged.Connect([this](const Engine::RecordChange& change) {
        if (change.kind == Engine::RecordChange::Kind::Modified) recordStores_.emplace_back(change.className, change.id);
    });
    storeChanges_ = world.Machine().OutlookProfile().Store().Changed.Connect(
        [this](const standin::outlook::StoreChange& change) { itemStores_.push_back(change.entryId); });
}

void ListenerTest::StartCounting() {
    recordStores_.clear();
    itemStores_.clear();
}

std::int32_t ListenerTest::RecordStores(const Ptr<kelo::IRecord>& record) const {
    const std::pair<std::string, std::int32_t> wanted(record->Class()->Name(), record->ID());
    return static_cast<std::int32_t>(std::ranges::count(recordStores_, wanted));
}

std::int32_t ListenerTest::ItemStores(const std::string& entryId) const {
    return static_cast<std::int32_t>(std::ranges::count(itemStores_, entryId));
}

std::vector<std::string> ListenerTest::Boxes() {
    std::vector<std::string> texts;
    for (const auto& box : world.Kelo().Boxes().History()) texts.push_back(box.text);
    return texts;
}

std::vector<Ptr<standin::kelo::Inspector>> ListenerTest::Opened() {
    auto windows = world.Kelo().WindowList().Inspectors();
    std::erase_if(windows, [&](const auto& window) { return std::ranges::count(before_, window) > 0; });
    std::ranges::reverse(windows);
    return windows;
}

std::vector<std::string> ListenerTest::Tags(const Ptr<outlook::IInspector>& window) {
    static const char* const all[] = {"SaveAppointmentItem", "OpenAppointmentItem", "SaveTaskItem",
                                      "OpenTaskItem",        "SaveContactItem",     "OpenContactItem"};
    const auto bar = window->CommandBars()->Item("Standard");
    std::vector<std::string> tags;
    for (const char* tag : all) {
        if (bar->FindControl(tag)) tags.emplace_back(tag);
    }
    return tags;
}

}  // namespace ostrellix::addin
