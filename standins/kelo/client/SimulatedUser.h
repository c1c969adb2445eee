#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "contracts/kelo/IFilter.h"
#include "standins/kelo/client/MessageBoxes.h"
#include "standins/system/ManualClock.h"

namespace ostrellix::standin::kelo {

class ConfigurationDialog;
class Explorer;
class Inspector;
class KeloClient;

// A person at the Kelo client, for tests and the command-line host: opens
// records in windows, edits, stores and closes them, works in list windows,
// answers message boxes, cancels work dialogs, edits filters, holds keys,
// and lets time pass. After each action the client runs the work it
// deferred (scripts handed over to run later), as its message loop would.
class SimulatedUser {
public:
    // `clock` is the clock the client runs on, needed to let time pass.
    explicit SimulatedUser(KeloClient& client, standin::system::ManualClock* clock = nullptr);

    Ptr<Inspector> OpenRecord(std::string_view className, std::int32_t id);
    Ptr<Inspector> NewRecord(std::string_view className);
    void Edit(const Ptr<Inspector>& window, std::string_view field, const Variant& value);
    void Save(const Ptr<Inspector>& window);
    void Close(const Ptr<Inspector>& window);
    void Activate(const Ptr<Inspector>& window);
    // A list window of the class's records that meet the filter (all
    // without one), embedded in `parent` when given.
    Ptr<Explorer> OpenList(std::string_view className, const Ptr<ostrellix::kelo::IFilter>& filter = nullptr,
                           const Ptr<Inspector>& parent = nullptr);
    void Select(const Ptr<Explorer>& list, const std::vector<std::int32_t>& ids);
    void SetActiveItem(const Ptr<Explorer>& list, std::optional<std::int32_t> id);
    void Activate(const Ptr<Explorer>& list);
    // Removes a record from the database, as another user might.
    void DeleteRecord(std::string_view className, std::int32_t id);

    // Answers for the next message boxes, in order; then the policy, if set.
    void QueueAnswers(std::initializer_list<std::int32_t> answers);
    void SetAnswerPolicy(std::optional<MessageBoxes::Policy> policy);
    // The next progress dialog is cancelled after that many progress steps.
    void CancelNextWorkDialogAfter(std::int32_t steps);
    // The next progress dialog is cancelled as its work looks at the cancel
    // flag for the `looks`-th time, also while it shows no progress.
    void CancelNextWorkDialogAtLook(std::int32_t looks);
    // The next filter editor: the user makes these changes, then confirms or cancels.
    void PlanFilterEdit(std::function<void(ostrellix::kelo::IFilter&)> edit, bool confirm = true);

    void HoldKey(std::int32_t keyCode);
    void ReleaseKey(std::int32_t keyCode);
    // Holds the key while `action` runs.
    void PressKeyDuring(std::int32_t keyCode, const std::function<void()>& action);

    // Moves the clock on, stopping at each timer due on the way to fire it
    // (so the handlers see the time they were due at). Needs the clock.
    void AdvanceTime(std::int32_t milliseconds);

    // Opens the client's options dialog (BeforeConfigure) with its pages activated.
    Ptr<ConfigurationDialog> OpenOptions();

private:
    KeloClient& client_;
    standin::system::ManualClock* clock_;
};

}  // namespace ostrellix::standin::kelo
