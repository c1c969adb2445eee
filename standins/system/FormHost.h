#pragma once

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "contracts/win/IFormHost.h"

namespace ostrellix::standin::system {

// The window system's modal dialogs, with the person in front of them
// planned ahead: a plan for the next dialog of a name ticks boxes, picks
// entries and clicks buttons on it (IForm's acts). Plans are used in the
// order given; a dialog that has no plan, or that its plan leaves open,
// is closed with its close box, as a person who does not want it would.
// Every dialog shown is kept as it was when it closed.
class FormHost final : public win::IFormHost {
public:
    using Plan = std::function<void(win::IForm&)>;
    struct Shown {
        std::string name;
        std::string caption;
        std::vector<win::FormControl> controls;  // as they were when it closed
        bool planned = false;
        bool closedByHost = false;               // left open: the close box ended it
    };

    void ShowModal(const Ptr<win::IForm>& form) override;

    void PlanNext(std::string name, Plan plan) { plans_.emplace_back(std::move(name), std::move(plan)); }
    const std::vector<Shown>& History() const { return shown_; }
    // A dialog of that name was shown and kept; nothing when none was.
    const Shown* Last(std::string_view name) const;

private:
    std::deque<std::pair<std::string, Plan>> plans_;
    std::vector<Shown> shown_;
};

}  // namespace ostrellix::standin::system
