#include "standins/kelo/client/SimulatedUser.h"

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/client/ConfigurationDialog.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Record.h"
#include "standins/kelo/engine/Records.h"
#include "standins/kelo/engine/Schema.h"

namespace ostrellix::standin::kelo {

SimulatedUser::SimulatedUser(KeloClient& client, standin::system::ManualClock* clock) : client_(client), clock_(clock) {}

Ptr<Inspector> SimulatedUser::OpenRecord(std::string_view className, std::int32_t id) {
    auto record = std::make_shared<Record>(client_.Data());
    record->Load(client_.Data()->Metadata().Require(className), id);
    auto window = As<Inspector>(client_.App()->ShowRecord(record, nullptr, ostrellix::kelo::kShowModeNewWindow));
    window->Show();
    client_.App()->RunPending();
    return window;
}

Ptr<Inspector> SimulatedUser::NewRecord(std::string_view className) {
    auto record = std::make_shared<Record>(client_.Data());
    record->New(client_.Data()->Metadata().Require(className));
    auto window = As<Inspector>(client_.App()->ShowRecord(record, nullptr, ostrellix::kelo::kShowModeNewWindow));
    window->Show();
    client_.App()->RunPending();
    return window;
}

void SimulatedUser::Edit(const Ptr<Inspector>& window, std::string_view field, const Variant& value) {
    window->Record()->SetValue(field, value);
    window->SetChanged(true);
}

void SimulatedUser::Save(const Ptr<Inspector>& window) {
    window->Save();
    client_.App()->RunPending();
}

void SimulatedUser::Close(const Ptr<Inspector>& window) {
    window->Close();
    client_.App()->RunPending();
}

void SimulatedUser::Activate(const Ptr<Inspector>& window) {
    window->Activate();
    client_.App()->RunPending();
}

Ptr<Explorer> SimulatedUser::OpenList(std::string_view className, const Ptr<ostrellix::kelo::IFilter>& filter,
                                      const Ptr<Inspector>& parent) {
    Records records(client_.Data());
    records.Open(client_.Data()->Metadata().Require(className), filter, {}, 0);
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 1; i <= records.Count(); ++i) ids.push_back(records.Item(i)->ID());
    Ptr<Explorer> list = client_.App()->OpenList(className, std::move(ids), parent);
    client_.App()->RunPending();
    return list;
}

void SimulatedUser::Select(const Ptr<Explorer>& list, const std::vector<std::int32_t>& ids) { list->Select(ids); }

void SimulatedUser::SetActiveItem(const Ptr<Explorer>& list, std::optional<std::int32_t> id) { list->SetActive(id); }

void SimulatedUser::Activate(const Ptr<Explorer>& list) {
    list->Activate();
    client_.App()->RunPending();
}

void SimulatedUser::DeleteRecord(std::string_view className, std::int32_t id) {
    auto record = std::make_shared<Record>(client_.Data());
    record->Load(client_.Data()->Metadata().Require(className), id);
    record->Delete();
}

void SimulatedUser::QueueAnswers(std::initializer_list<std::int32_t> answers) {
    for (std::int32_t answer : answers) client_.App()->Boxes().QueueAnswer(answer);
}

void SimulatedUser::SetAnswerPolicy(std::optional<MessageBoxes::Policy> policy) {
    client_.App()->Boxes().SetPolicy(policy);
}

void SimulatedUser::CancelNextWorkDialogAfter(std::int32_t steps) { client_.App()->Dialogs()->CancelAfter(steps); }
void SimulatedUser::CancelNextWorkDialogAtLook(std::int32_t looks) { client_.App()->Dialogs()->CancelAtLook(looks); }

void SimulatedUser::PlanFilterEdit(std::function<void(ostrellix::kelo::IFilter&)> edit, bool confirm) {
    client_.App()->Dialogs()->PlanFilterEdit({std::move(edit), confirm});
}

void SimulatedUser::HoldKey(std::int32_t keyCode) { client_.App()->Keys().Hold(keyCode); }
void SimulatedUser::ReleaseKey(std::int32_t keyCode) { client_.App()->Keys().Release(keyCode); }

void SimulatedUser::PressKeyDuring(std::int32_t keyCode, const std::function<void()>& action) {
    HoldKey(keyCode);
    PassOn([&] { action(); }, [&] { ReleaseKey(keyCode); });
    ReleaseKey(keyCode);
}

void SimulatedUser::AdvanceTime(std::int32_t milliseconds) {
    if (!clock_) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.SimulatedUser",
                       "Time can only be advanced on a client that runs on a manual clock");
    }
    const Date target = clock_->Now().AddSeconds(milliseconds / 1000.0);
    for (;;) {
        const std::optional<Date> next = client_.App()->Timers().NextDue();
        if (!next || *next > target) break;
        if (*next > clock_->Now()) clock_->Set(*next);
        client_.App()->FireTimers();
    }
    clock_->Set(target);
    client_.App()->FireTimers();
}

Ptr<ConfigurationDialog> SimulatedUser::OpenOptions() {
    auto dialog = std::make_shared<ConfigurationDialog>();
    client_.App()->Events().BeforeConfigure.Raise(dialog);
    dialog->ActivateAll();
    client_.App()->RunPending();
    return dialog;
}

}  // namespace ostrellix::standin::kelo
