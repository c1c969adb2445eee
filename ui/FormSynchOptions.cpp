#include "ui/FormSynchOptions.h"

#include "contracts/kelo/IRecord.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"

namespace ostrellix::addin {

namespace {

using Kind = FormControl::Kind;

struct BoxOption {
    const char* box;
    bool (Options::*get)();
    void (Options::*set)(bool);
};
constexpr BoxOption kBoxes[] = {
    {"CtrlSynchronizeAtStartup", &Options::SynchronizeAtStartup, &Options::SetSynchronizeAtStartup},
    {"CtrlSynchronizeAtShutdown", &Options::SynchronizeAtShutdown, &Options::SetSynchronizeAtShutdown},
    {"CtrlSynchAppointments", &Options::SynchronizeAppointments, &Options::SetSynchronizeAppointments},
    {"CtrlSynchTasks", &Options::SynchronizeTasks, &Options::SetSynchronizeTasks},
    {"CtrlSynchContacts", &Options::SynchronizeContacts, &Options::SetSynchronizeContacts},
    {"CtrlDeleteAppointments", &Options::DeleteAppointmentsDuringSynchronization,
     &Options::SetDeleteAppointmentsDuringSynchronization},
    {"CtrlDeleteTasks", &Options::DeleteTasksDuringSynchronization, &Options::SetDeleteTasksDuringSynchronization},
    {"CtrlDeleteContacts", &Options::DeleteContactsDuringSynchronization,
     &Options::SetDeleteContactsDuringSynchronization},
};

std::vector<FormControl> SynchControls() {
    std::vector<FormControl> controls{
        {.name = "CtrlSynchEnabled", .kind = Kind::CheckBox, .caption = "SynchEnabled", .value = Variant(std::int16_t{0})}};
    for (const BoxOption& option : kBoxes) {
        controls.push_back({.name = option.box,
                            .kind = Kind::CheckBox,
                            .caption = std::string(option.box).substr(4),
                            .value = Variant(std::int16_t{0})});
    }
    for (const char* text : {"OriginalDatabaseName", "OriginalServerName"}) {
        controls.push_back({.name = std::string("CtrlLabel") + text, .kind = Kind::Label, .caption = std::string("Label") + text});
        controls.push_back({.name = std::string("Ctrl") + text, .kind = Kind::TextBox, .value = Variant("")});
    }
    controls.push_back({.name = "CtrlOK", .kind = Kind::CommandButton, .caption = "OK"});
    controls.push_back({.name = "CtrlCancel", .kind = Kind::CommandButton, .caption = "Cancel"});
    return controls;
}

Variant Box(bool ticked) { return Variant(static_cast<std::int16_t>(ticked ? 1 : 0)); }

}  // namespace

FormSynchOptions::FormSynchOptions() : Form("FormSynchOptions", "Caption", SynchControls()) {
    On("CtrlSynchEnabled", [this] { EnableBySynchEnabled(); });
    On("CtrlOK", [this] { CtrlOK_Click(); });
    On("CtrlCancel", [this] { Hide(); });
}

void FormSynchOptions::Show() { Globals::System().Forms().ShowModal(SelfAs<FormSynchOptions>()); }

std::int32_t FormSynchOptions::ActiveUserRecordID() {
    const auto user = Globals::Application()->ActiveUser();
    const auto record = user ? user->Record() : nullptr;
    return record ? record->ID() : 0;
}

void FormSynchOptions::Form_Load() {
    Trap(
        [this] {
            Tools::LocalizeForm(*this);
            const auto options = Globals::Options();
            const std::int32_t user = ActiveUserRecordID();
            FormControl& enabled = Ctrl("CtrlSynchEnabled");
            enabled.enabled = user != 0;
            enabled.value = Box(user != 0 && options->SynchronizationUser() == user);
            for (const BoxOption& option : kBoxes) Ctrl(option.box).value = Box(((*options).*option.get)());
            Ctrl("CtrlOriginalDatabaseName").value = Variant(options->OriginalDatabaseName());
            Ctrl("CtrlOriginalServerName").value = Variant(options->OriginalServerName());
            EnableBySynchEnabled();
        },
        [](const ComError& error) { Tools::ReportError(error, "FormSynchOptions.Form_Load"); });
}

void FormSynchOptions::EnableBySynchEnabled() {
    const bool on = Ctrl("CtrlSynchEnabled").value.ToLong() != 0;
    for (FormControl& control : ControlList()) {
        if (control.name != "CtrlSynchEnabled" && control.name != "CtrlOK" && control.name != "CtrlCancel") {
            control.enabled = on;
        }
    }
}

void FormSynchOptions::CtrlOK_Click() {
    Trap(
        [this] {
            const auto options = Globals::Options();
            const FormControl& enabled = Ctrl("CtrlSynchEnabled");
            options->SetSynchronizationUser(enabled.enabled && enabled.value.ToLong() != 0 ? ActiveUserRecordID() : 0);
            for (const BoxOption& option : kBoxes) ((*options).*option.set)(Ctrl(option.box).value.ToLong() != 0);
            options->SetOriginalDatabaseName(Ctrl("CtrlOriginalDatabaseName").value.ToString());
            options->SetOriginalServerName(Ctrl("CtrlOriginalServerName").value.ToString());
            Hide();
        },
        [](const ComError& error) { Tools::ReportError(error, "FormSynchOptions.CtrlOK_Click"); });
}

}  // namespace ostrellix::addin
