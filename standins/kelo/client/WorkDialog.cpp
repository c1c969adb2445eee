#include "standins/kelo/client/WorkDialog.h"

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

namespace {

namespace dialogresult = ostrellix::kelo::dialogresult;
namespace dialogstyle = ostrellix::kelo::dialogstyle;

}  // namespace

void WorkDialog::SetText(std::string_view text) {
    report_.text = text;
    if (!shown_) return;
    report_.messages.emplace_back(text);
    Changed();
}

Variant WorkDialog::Parameter(std::string_view name) {
    for (const auto& [key, value] : parameters_) {
        if (text::EqualsIgnoreCase(key, name)) return value;
    }
    return {};
}

void WorkDialog::SetParameter(std::string_view name, const Variant& value) {
    for (auto& [key, stored] : parameters_) {
        if (text::EqualsIgnoreCase(key, name)) {
            stored = value;
            return;
        }
    }
    parameters_.emplace_back(std::string(name), value);
    report_.parameters.emplace_back(name);
}

void WorkDialog::Open() {
    if (shown_) return;
    shown_ = true;
    cancelled_ = false;
    steps_ = 0;
    looks_ = 0;
    cancelPlan_ = plans_->TakeCancel();
    Changed();
}

void WorkDialog::Close(std::int32_t result) {
    shown_ = false;
    report_.result = result;
    report_.cancelled = cancelled_;
    plans_->Closed(report_);
    report_.progress.clear();
    report_.messages.clear();
}

void WorkDialog::UserCancels() {
    if (cancelled_ || !(report_.style & dialogstyle::CancelButton)) return;
    cancelled_ = true;
    events_.Cancel.Raise();
}

void WorkDialog::Changed() {
    if (plans_->Watching().changed) plans_->Watching().changed(report_);
}

void WorkDialog::WatcherCancels() {
    if (shown_ && plans_->Watching().cancelNow && plans_->Watching().cancelNow()) UserCancels();
}

void WorkDialog::Stepped() {
    ++steps_;
    Changed();
    WatcherCancels();
    if (cancelPlan_ && cancelPlan_->after == DialogPlans::Cancel::After::ProgressSteps &&
        steps_ >= cancelPlan_->count) {
        UserCancels();
    }
}

bool WorkDialog::Cancelled() {
    if (shown_ && cancelPlan_ && cancelPlan_->after == DialogPlans::Cancel::After::Looks &&
        ++looks_ >= cancelPlan_->count) {
        UserCancels();
    }
    WatcherCancels();
    return cancelled_;
}

void WorkDialog::SetProgress(std::int32_t percent) {
    report_.progress.push_back(percent);
    Stepped();
}

std::int32_t WorkDialog::Show() {
    if (shown_) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.Dialog", "The dialog is already shown");
    }
    if (!Parameter("Filter").IsEmpty()) return EditFilter();
    Open();
    const Ptr<WorkDialog> self = SelfAs<WorkDialog>();  // a Work handler may drop the caller's reference
    PassOn([&] { events_.Work.Raise(); }, [&] { Close(dialogresult::Cancelled); });
    const std::int32_t result = cancelled_ ? dialogresult::Cancelled : dialogresult::OK;
    Close(result);
    return result;
}

std::int32_t WorkDialog::EditFilter() {
    const auto filter = Parameter("Filter").ToObjectAs<ostrellix::kelo::IFilter>();
    if (!filter) {
        throw ComError(errors::TypeMismatch, "Kelo.Dialog", "Type mismatch: the parameter \"Filter\" is not a filter");
    }
    shown_ = true;
    std::optional<DialogPlans::FilterEdit> edit = plans_->TakeFilterEdit();
    if (edit && edit->edit) PassOn([&] { edit->edit(*filter); }, [&] { Close(dialogresult::Cancelled); });
    const std::int32_t result = edit && edit->confirm ? dialogresult::OK : dialogresult::Cancelled;
    cancelled_ = result == dialogresult::Cancelled;
    Close(result);
    return result;
}

void WorkDialog::Initialize(std::int32_t count, std::int32_t stepSize, std::string_view message, bool show) {
    count_ = count;
    stepSize_ = stepSize;
    done_ = 0;
    if (show) Open();
    SetText(message);
}

void WorkDialog::Step(std::int32_t steps) {
    done_ += steps * stepSize_;
    report_.progress.push_back(count_ > 0 ? done_ * 100 / count_ : 0);
    Stepped();
}

}  // namespace ostrellix::standin::kelo
