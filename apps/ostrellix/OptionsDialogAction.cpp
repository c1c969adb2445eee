#include "apps/ostrellix/OptionsDialogAction.h"

#include <ostream>

#include "apps/ostrellix/Mistake.h"
#include "apps/ostrellix/OutlookFolderName.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/OptionProperties.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/ConfigurationDialog.h"
#include "standins/kelo/client/SimulatedUser.h"
#include "standins/outlook/SimulatedUser.h"
#include "ui/UserOptions.h"

namespace ostrellix::host {

namespace {

// The page's buttons, the dialogs they open and the options those store.
struct Dialog {
    const char* name;
    const char* button;
    const char* form;
    std::vector<const char*> options;
};
const std::vector<Dialog>& Dialogs() {
    static const std::vector<Dialog> dialogs{
        {"outgoing-mail", "CtrlOutgoingMail", "FormOutgoingMail",
         {"SaveOutgoingMailMode", "SaveOutgoingMailFromOutlookMode", "AttachBusinessCard", "AllowEditMessages",
          "SendOnBehalfOf"}},
        {"folders", "CtrlFolders", "FormFolders",
         {"InboxFolderEntryID", "CalendarFolderEntryID", "TasksFolderEntryID", "ContactsFolderEntryID",
          "MeetingOrganizer"}},
        {"synchronization", "CtrlSynchronization", "FormSynchOptions",
         {"SynchronizationUser", "SynchronizeAtStartup", "SynchronizeAtShutdown", "SynchronizeAppointments",
          "SynchronizeTasks", "SynchronizeContacts", "DeleteAppointmentsDuringSynchronization",
          "DeleteTasksDuringSynchronization", "DeleteContactsDuringSynchronization", "OriginalDatabaseName",
          "OriginalServerName"}},
        {"panes", "CtrlPanes", "FormPanes", {"Panes"}},
    };
    return dialogs;
}

void SetSwitch(win::IForm& page, const char* box, const std::optional<std::string>& wanted, const char* option) {
    if (!wanted) return;
    if (*wanted != "on" && *wanted != "off") Mistake(std::string(option) + " takes on or off, not \"" + *wanted + "\"");
    if ((*wanted == "on") != (page.State(box).value.ToLong() != 0)) page.Click(box);
}

// One step of the user in a dialog: CONTROL, CONTROL=TEXT or CONTROL#N.
void Act(win::IForm& form, const std::string& act) {
    const auto typed = act.find('=');
    const auto chosen = act.find('#');
    const std::string control = act.substr(0, std::min(typed, chosen));
    bool known = false;
    for (const win::FormControl& each : form.Controls()) known = known || text::EqualsIgnoreCase(each.name, control);
    if (!known) Mistake(form.Name() + " has no control \"" + control + "\"");
    if (typed != std::string::npos) {
        form.Type(control, act.substr(typed + 1));
    } else if (chosen != std::string::npos) {
        form.Choose(control, Variant(act.substr(chosen + 1)).ToLong());
    } else {
        form.Click(control);
    }
}

std::string Shown(const win::FormControl& control) {
    using Kind = win::FormControl::Kind;
    switch (control.kind) {
        case Kind::CheckBox: return control.value.ToLong() != 0 ? "ticked" : "not ticked";
        case Kind::OptionButton: return control.value.ToBoolean() ? "selected" : "";
        case Kind::TextBox: return "\"" + control.value.ToString() + "\"";
        case Kind::ListBox:
        case Kind::ComboBox: {
            std::string entries;
            for (const std::string& entry : control.list) entries += (entries.empty() ? "" : ", ") + entry;
            return "[" + entries + "]";
        }
        default: return "";
    }
}

std::string OptionText(const char* name) {
    const auto* property = addin::OptionProperties::Find(name);
    const Variant value = property->get(*addin::Globals::Options());
    if (property->kind != addin::OptionProperties::Kind::TextList) return value.ToString();
    std::string entries;
    for (const std::string& entryId : addin::Globals::Options()->Panes()) entries += (entries.empty() ? "" : ", ") + entryId;
    return entries;
}

}  // namespace

OptionsDialogAction::OptionsDialogAction(ActionGroup& group) {
    auto& action = group.Add("options-dialog", "The options dialog's Outlook page and its dialogs, worked and applied",
                             [this](Host& host, ActionOutput& output) { return Run(host, output); });
    action.add_option("--allow-export", allowExport_, "Set the page's export switch: on or off");
    action.add_option("--allow-drag-drop", allowDragDrop_, "Set the page's drag-and-drop switch: on or off");
    std::vector<std::string> names;
    for (const Dialog& dialog : Dialogs()) names.emplace_back(dialog.name);
    auto* open = action.add_option("--open", open_, "The page's dialog the user opens")->check(CLI::IsMember(names));
    action.add_option("--act", acts_, "A step in that dialog, in order: CONTROL (click), CONTROL=TEXT, CONTROL#N")
        ->needs(open);
    action.add_option("--pick-folder", pickFolders_, "The folder Outlook's folder picker answers, in turn")
        ->needs(open);
    action.add_option("--pick-name", pickNames_, "The name Outlook's select-names dialog answers, in turn")
        ->needs(open);
    action.add_flag("--cancel-dialog", cancelDialog_, "Cancel that dialog instead of OK")->needs(open);
    action.add_flag("--cancel", cancel_, "Cancel the options dialog instead of applying it");
}

int OptionsDialogAction::Run(Host& host, ActionOutput& output) {
    Machine& machine = host.TheMachine();
    const auto dialog = machine.KeloUser().OpenOptions();
    Ptr<addin::UserOptions> page;
    for (const auto& each : dialog->Pages()) {
        if (!page) page = As<addin::UserOptions>(each);
    }
    if (!page) Mistake("The options dialog has no Outlook page (is the add-in loaded?)");
    SetSwitch(*page, "CtrlAllowExport", allowExport_, "--allow-export");
    SetSwitch(*page, "CtrlAllowDragDrop", allowDragDrop_, "--allow-drag-drop");

    const Dialog* opened = nullptr;
    for (const Dialog& each : Dialogs()) {
        if (open_ && *open_ == each.name) opened = &each;
    }
    if (opened) {
        standin::outlook::SimulatedUser outlookUser(machine.Outlook().Running());
        for (const std::string& folder : pickFolders_) outlookUser.WillPickFolder(OutlookFolderName::Find(machine, folder));
        for (const std::string& name : pickNames_) outlookUser.WillChooseNames({{name, outlook::olTo}});
        // A mistake on the command line found in the dialog must reach the
        // user as such, not as the failure the page's button would report.
        std::optional<ComError> mistake;
        machine.System().Forms().PlanNext(opened->form, [&](win::IForm& form) {
            Trap(
                [&] {
                    for (const std::string& act : acts_) Act(form, act);
                    if (form.Visible()) form.Click(cancelDialog_ ? "CtrlCancel" : "CtrlOK");
                },
                [&](const ComError& error) {
                    if (error.Source() != "ostrellix") throw error;
                    mistake = error;
                });
        });
        if (!page->State(opened->button).enabled) Mistake("The Outlook page does not offer " + std::string(opened->name));
        page->Click(opened->button);
        if (mistake) throw *mistake;
        const auto* shown = machine.System().Forms().Last(opened->form);
        if (!shown) Mistake(std::string(opened->form) + " was not shown");
        nlohmann::json controls = nlohmann::json::object();
        for (const win::FormControl& control : shown->controls) {
            const std::string value = Shown(control);
            if (!value.empty()) controls[control.name] = value;
        }
        nlohmann::json options = nlohmann::json::object();
        for (const char* option : opened->options) options[option] = OptionText(option);
        output.Result({{"dialog", opened->form}, {"closedByUser", !shown->closedByHost}, {"controls", controls},
                       {"options", options}},
                      [&](std::ostream& out) {
                          out << opened->form << (shown->closedByHost ? " stayed open and was closed" : " was closed")
                              << "\n";
                          for (const win::FormControl& control : shown->controls) {
                              if (controls.contains(control.name)) {
                                  out << "  " << control.name << ": " << controls[control.name].get<std::string>()
                                      << (control.enabled ? "" : " (unavailable)") << "\n";
                              }
                          }
                          out << "  Stored:\n";
                          for (const char* option : opened->options) {
                              out << "    " << option << " = " << options[option].get<std::string>() << "\n";
                          }
                      });
    }
    if (cancel_) {
        dialog->Cancel();
    } else {
        dialog->Apply();
    }
    const auto options = addin::Globals::Options();
    output.Result({{"page", cancel_ ? "cancelled" : "applied"},
                   {"AllowExport", options->AllowExport()},
                   {"AllowDragDrop", options->AllowDragDrop()}},
                  [&](std::ostream& out) {
                      out << "The options dialog was " << (cancel_ ? "cancelled" : "applied")
                          << "\n  AllowExport = " << (options->AllowExport() ? "True" : "False")
                          << "\n  AllowDragDrop = " << (options->AllowDragDrop() ? "True" : "False") << "\n";
                  });
    return 0;
}

}  // namespace ostrellix::host
