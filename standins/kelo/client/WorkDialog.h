#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "contracts/kelo/IProgress.h"
#include "contracts/kelo/IWorkDialog.h"
#include "standins/kelo/client/DialogPlans.h"

namespace ostrellix::standin::kelo {

// The client's dialog ("Kelo.Dialog"). As a progress dialog, Show raises
// Work and returns when the handler does; every SetProgress or Step is one
// progress step, after which a user who planned to cancel (and has a
// cancel button: style flag 2) cancels: Cancelled turns true and Cancel is
// raised; the handler is expected to stop at its next look. A user may
// also have planned to cancel at the work's Nth look at Cancelled, as a
// click lands between two looks whether or not progress was shown. As the filter
// editor (shown with a "Filter" parameter) it lets the planned edit change
// that filter and answers OK or Cancelled.
class WorkDialog final : public ostrellix::kelo::IWorkDialog, public ostrellix::kelo::IProgress {
public:
    explicit WorkDialog(std::shared_ptr<DialogPlans> plans) : plans_(std::move(plans)) {}

    void SetCaption(std::string_view caption) override { report_.caption = caption; }
    void SetText(std::string_view text) override;
    void SetCancelText(std::string_view text) override { report_.cancelText = text; }
    void SetStyle(std::int32_t style) override { report_.style = style; }
    void SetProgressInterval(std::int32_t milliseconds) override { report_.progressInterval = milliseconds; }
    Variant Parameter(std::string_view name) override;
    void SetParameter(std::string_view name, const Variant& value) override;
    void SetProgress(std::int32_t percent) override;
    bool Cancelled() override;
    std::int32_t Show() override;
    ostrellix::kelo::WorkDialogEvents& Events() override { return events_; }

    void Initialize(std::int32_t count, std::int32_t stepSize, std::string_view message, bool show) override;
    void SetMessage(std::string_view message) override { SetText(message); }
    void Step(std::int32_t steps) override;

    // What the dialog shows now (and has shown since it opened).
    const DialogPlans::Report& Current() const { return report_; }

private:
    std::int32_t EditFilter();
    void Open();
    void Close(std::int32_t result);
    void Stepped();
    void UserCancels();
    // What the watching user sees and does (DialogPlans::Watcher).
    void Changed();
    void WatcherCancels();

    std::shared_ptr<DialogPlans> plans_;
    std::vector<std::pair<std::string, Variant>> parameters_;
    DialogPlans::Report report_;
    bool shown_ = false;
    bool cancelled_ = false;
    std::optional<DialogPlans::Cancel> cancelPlan_;
    std::int32_t steps_ = 0;
    std::int32_t looks_ = 0;
    std::int32_t count_ = 0;
    std::int32_t stepSize_ = 1;
    std::int32_t done_ = 0;
    ostrellix::kelo::WorkDialogEvents events_;
};

}  // namespace ostrellix::standin::kelo
