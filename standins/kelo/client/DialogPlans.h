#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "contracts/kelo/IFilter.h"

namespace ostrellix::standin::kelo {

// What the user will do in the client's dialogs ("Kelo.Dialog"), planned
// ahead by the simulated user, and a report of every dialog once closed.
// A progress dialog without a plan runs its work to the end; a filter
// editor without a plan is cancelled.
class DialogPlans {
public:
    struct FilterEdit {
        std::function<void(ostrellix::kelo::IFilter&)> edit;
        bool confirm = true;
    };
    struct Report {
        std::string caption;
        std::string text;
        std::string cancelText;
        std::int32_t style = 7;  // the option flags shown unless set: progress bar, cancel button, message
        std::int32_t progressInterval = 0;
        std::vector<std::int32_t> progress;  // percent, as set
        std::vector<std::string> messages;   // texts set while it was shown
        std::vector<std::string> parameters; // names of the parameters set, in the order first set
        std::int32_t result = 0;
        bool cancelled = false;
    };

    // When the user of a progress dialog clicks Cancel: after a number of
    // progress steps, or between two looks of the work at the cancel flag
    // (work that shows no progress while it runs, such as a scan).
    struct Cancel {
        enum class After { ProgressSteps, Looks } after;
        std::int32_t count;
    };

    // The next progress dialog shown is cancelled after `steps` progress steps.
    void CancelAfter(std::int32_t steps) { cancels_.push_back({Cancel::After::ProgressSteps, steps}); }
    // The next progress dialog shown is cancelled just before the work's
    // `looks`-th look at its cancel flag.
    void CancelAtLook(std::int32_t looks) { cancels_.push_back({Cancel::After::Looks, looks}); }
    void PlanFilterEdit(FilterEdit edit) { filterEdits_.push_back(std::move(edit)); }

    // A user in front of the screen rather than one who planned ahead: sees
    // every change of a shown progress dialog (opened, progress, text), and
    // clicks Cancel as soon as `cancelNow` says so, which the dialog asks at
    // every progress step and every look of the work at its cancel flag.
    struct Watcher {
        std::function<void(const Report&)> changed;
        std::function<bool()> cancelNow;
    };
    void Watch(Watcher watcher) { watcher_ = std::move(watcher); }
    const Watcher& Watching() const { return watcher_; }
    std::optional<Cancel> TakeCancel();
    std::optional<FilterEdit> TakeFilterEdit();

    void Closed(Report report) { reports_.push_back(std::move(report)); }
    const std::vector<Report>& Reports() const { return reports_; }

private:
    std::deque<Cancel> cancels_;
    std::deque<FilterEdit> filterEdits_;
    std::vector<Report> reports_;
    Watcher watcher_;
};

}  // namespace ostrellix::standin::kelo
