#pragma once

#include <functional>
#include <vector>

#include "contracts/kelo/IPanes.h"

namespace ostrellix::standin::kelo {

// The client's side panes; controls are made by ProgID through the
// client's object factory.
class Panes final : public ostrellix::kelo::IPanes {
public:
    using Creator = std::function<ObjectPtr(std::string_view progId)>;

    Panes(Creator create, bool active) : create_(std::move(create)), active_(active) {}

    std::int32_t Count() override { return static_cast<std::int32_t>(panes_.size()); }
    Ptr<ostrellix::kelo::IPane> Item(std::int32_t index) override;
    Ptr<ostrellix::kelo::IPane> Add(std::string_view caption, const Ptr<ostrellix::kelo::IImage>& icon,
                                    std::string_view controlProgId, std::int32_t style) override;
    void Remove(std::int32_t index) override;
    bool Active() override { return active_; }
    // The user shows or hides the client's pane bar.
    void SetActive(bool active) { active_ = active; }

private:
    Creator create_;
    bool active_;
    std::vector<Ptr<ostrellix::kelo::IPane>> panes_;
};

}  // namespace ostrellix::standin::kelo
