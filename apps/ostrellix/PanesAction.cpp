#include "apps/ostrellix/PanesAction.h"

#include <ostream>

#include "apps/ostrellix/KeloActions.h"
#include "apps/ostrellix/Mistake.h"
#include "apps/ostrellix/OutlookFolderName.h"
#include "contracts/kelo/IImage.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/kelo/client/Panes.h"
#include "standins/outlook/SimulatedUser.h"
#include "ui/FormPanes.h"
#include "ui/OutlookView.h"

namespace ostrellix::host {

namespace {

using standin::kelo::MenuCommands;

// The calendar buttons of a pane, by the names the command line uses.
struct Arrangement {
    const char* name;
    const char* button;
};
constexpr Arrangement kArrangements[] = {
    {"day", "CtrlDay"}, {"work-week", "CtrlWeek"}, {"week", "CtrlFullWeek"}, {"month", "CtrlMonth"}};

std::string Arrangement(addin::OutlookView& view) {
    if (!view.State("CtrlOptions").enabled) return "";
    for (const auto& arrangement : kArrangements) {
        if (view.State(arrangement.button).value.ToBoolean()) return arrangement.name;
    }
    return "";
}

// The check boxes of the dialog and their options.
struct ShowBox {
    const char* box;
    const char* option;
    std::optional<std::string> PanesAction::*value;
};

bool OnOff(const std::string& option, const std::string& value) {
    if (value == "on") return true;
    if (value == "off") return false;
    Mistake(option + " takes on or off, not \"" + value + "\"");
}

// The list entry a command line names: its whole path, or its last part.
std::int32_t Entry(win::IForm& form, const std::string& name) {
    const auto list = form.State("CtrlList").list;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const std::string& path = list[i];
        if (text::EqualsIgnoreCase(path, name) || text::EqualsIgnoreCase(path.substr(path.rfind('\\') + 1), name)) {
            return static_cast<std::int32_t>(i);
        }
    }
    std::string listed;
    for (const std::string& path : list) listed += (listed.empty() ? "" : ", ") + path;
    Mistake("The Panes dialog lists no folder \"" + name + "\" (it lists: " + (listed.empty() ? "nothing" : listed) +
            ")");
}

void ActOnEntries(win::IForm& form, const std::vector<std::string>& names, const char* button) {
    for (const std::string& name : names) {
        form.Choose("CtrlList", Entry(form, name));
        if (!form.State(button).enabled) Mistake(std::string("The Panes dialog does not offer that for ") + name);
        form.Click(button);
    }
}

}  // namespace

PanesAction::PanesAction(ActionGroup& group) {
    auto& panes = group.Add("panes", "The side panes the add-in made for the Outlook folders of the pane list",
                            [this](Host& host, ActionOutput& output) { return Panes(host, output); });
    auto* remove = panes.add_flag("--remove", remove_, "Take the add-in's panes away (RemoveFolderPanes)");
    auto* pane = panes.add_option("--pane", pane_, "The pane the user works in, by caption")->excludes(remove);
    panes.add_option("--view", view_, "The view the user chooses in the pane")->needs(pane);
    panes.add_option("--arrangement", arrangement_, "The calendar arrangement the user chooses in the pane")
        ->check(CLI::IsMember({"day", "work-week", "week", "month"}))
        ->needs(pane);
    panes.add_flag("--new-item", newItem_, "The user clicks the pane's icon for a new item of its kind")->needs(pane);
    panes.add_option("--other-user", otherUser_,
                     "The pane shows this person's folder of the same kind instead (picked in Outlook's address book)")
        ->needs(pane);

    auto& dialog = group.Add("panes-dialog", "The Panes dialog worked and OK'd: what it stored and the panes shown",
                             [this](Host& host, ActionOutput& output) { return Dialog(host, output); });
    dialog.add_option("--add", add_, "Add a folder with Outlook's folder picker (Inbox, Inbox\\Projects, a path)");
    dialog.add_option("--show-inbox", showInbox_, "Set the Show Inbox box: on or off");
    dialog.add_option("--show-calendar", showCalendar_, "Set the Show Calendar box: on or off");
    dialog.add_option("--show-tasks", showTasks_, "Set the Show Tasks box: on or off");
    dialog.add_option("--show-contacts", showContacts_, "Set the Show Contacts box: on or off");
    dialog.add_option("--delete", delete_, "Delete a listed folder (its path, or its name)");
    dialog.add_option("--up", up_, "Move a listed folder up");
    dialog.add_option("--down", down_, "Move a listed folder down");
    dialog.add_option("--pane-bar", paneBar_, "Whether the client shows its pane bar (changes show at once)")
        ->check(CLI::IsMember({"shown", "hidden"}));
    dialog.add_flag("--cancel", cancel_, "Cancel the dialog instead of OK");
}

void PanesAction::ShowPanes(Host& host, ActionOutput& output) {
    const auto panes = host.TheMachine().KeloApp().Panes();
    if (!output.Json()) output.Note() << panes->Count() << (panes->Count() == 1 ? " pane" : " panes") << "\n";
    for (std::int32_t i = 1; i <= panes->Count(); ++i) {
        const auto pane = panes->Item(i);
        const auto view = As<addin::OutlookView>(pane->Control());
        const bool ours = pane->Property("OutlookPane").ToBoolean();
        nlohmann::json result = {{"pane", pane->Caption()},
                                 {"type", pane->Icon() ? pane->Icon()->Name() : ""},
                                 {"control", pane->ControlProgID()},
                                 {"outlookPane", ours}};
        if (view && view->Folder()) {
            result["folder"] = view->Folder()->FolderPath();
            result["view"] = view->State("CtrlViews").Text();
            result["arrangement"] = Arrangement(*view);
        }
        output.Result(result, [&](std::ostream& out) {
            out << "  " << pane->Caption() << "  " << result["type"].get<std::string>()
                << (ours ? "" : "  (not the add-in's: " + pane->ControlProgID() + ")") << "\n";
            if (!result.contains("folder")) return;
            out << "    Folder: " << result["folder"].get<std::string>()
                << "\n    View: " << result["view"].get<std::string>() << "\n";
            if (!result["arrangement"].get<std::string>().empty()) {
                out << "    Calendar: " << result["arrangement"].get<std::string>() << "\n";
            }
        });
    }
}

int PanesAction::Panes(Host& host, ActionOutput& output) {
    if (remove_) MenuCommands(host.TheMachine().Kelo()).CallAddin("RemoveFolderPanes");
    if (pane_) {
        const auto panes = host.TheMachine().KeloApp().Panes();
        Ptr<addin::OutlookView> view;
        for (std::int32_t i = 1; i <= panes->Count() && !view; ++i) {
            if (text::EqualsIgnoreCase(panes->Item(i)->Caption(), *pane_)) view = As<addin::OutlookView>(panes->Item(i)->Control());
        }
        if (!view) Mistake("The client shows no Outlook pane \"" + *pane_ + "\"");
        if (otherUser_) {
            standin::outlook::SimulatedUser outlookUser(host.TheMachine().Outlook().Running());
            outlookUser.WillChooseNames({{*otherUser_, outlook::olTo}});
            view->OpenSharedFolder();
        }
        if (view_) {
            const auto views = view->State("CtrlViews").list;
            std::int32_t index = -1;
            for (std::size_t i = 0; i < views.size(); ++i) {
                if (text::EqualsIgnoreCase(views[i], *view_)) index = static_cast<std::int32_t>(i);
            }
            if (index < 0) Mistake("The folder of " + *pane_ + " has no view \"" + *view_ + "\"");
            view->Choose("CtrlViews", index);
        }
        if (arrangement_) {
            if (!view->State("CtrlOptions").enabled) Mistake("The view of " + *pane_ + " is not a calendar view");
            for (const auto& arrangement : kArrangements) {
                if (*arrangement_ == arrangement.name) view->Click(arrangement.button);
            }
        }
        if (newItem_) {
            KeloActions::RunCommand(host, output, nullptr,
                                    [&](MenuCommands&, const ObjectPtr&) { view->Click("CtrlIcon"); });
        }
    }
    ShowPanes(host, output);
    return 0;
}

int PanesAction::Dialog(Host& host, ActionOutput& output) {
    Machine& machine = host.TheMachine();
    const ShowBox boxes[] = {{"CtrlShowInboxPane", "--show-inbox", &PanesAction::showInbox_},
                             {"CtrlShowCalendarPane", "--show-calendar", &PanesAction::showCalendar_},
                             {"CtrlShowTasksPane", "--show-tasks", &PanesAction::showTasks_},
                             {"CtrlShowContactsPane", "--show-contacts", &PanesAction::showContacts_}};
    for (const ShowBox& box : boxes) {
        if (this->*box.value) OnOff(box.option, *(this->*box.value));
    }
    standin::outlook::SimulatedUser outlookUser(machine.Outlook().Running());
    for (const std::string& name : add_) outlookUser.WillPickFolder(OutlookFolderName::Find(machine, name));
    Cast<standin::kelo::Panes>(machine.KeloApp().Panes())->SetActive(paneBar_ == "shown");

    machine.System().Forms().PlanNext("FormPanes", [&](win::IForm& form) {
        for (std::size_t i = 0; i < add_.size(); ++i) form.Click("CtrlAdd");
        for (const ShowBox& box : boxes) {
            const auto& wanted = this->*box.value;
            if (wanted && OnOff(box.option, *wanted) != (form.State(box.box).value.ToLong() != 0)) form.Click(box.box);
        }
        ActOnEntries(form, delete_, "CtrlDelete");
        ActOnEntries(form, up_, "CtrlMoveUp");
        ActOnEntries(form, down_, "CtrlMoveDown");
        form.Click(cancel_ ? "CtrlCancel" : "CtrlOK");
    });
    std::make_shared<addin::FormPanes>()->Show();

    const auto& shown = *machine.System().Forms().Last("FormPanes");
    nlohmann::json boxesJson = nlohmann::json::object();
    std::vector<std::string> listed;
    for (const win::FormControl& control : shown.controls) {
        if (control.kind == win::FormControl::Kind::CheckBox) boxesJson[control.name] = control.value.ToLong() != 0;
        if (control.name == "CtrlList") listed = control.list;
    }
    std::vector<std::string> stored;
    const auto session = machine.Outlook().Running()->Session();
    for (const std::string& entryId : addin::Globals::Options()->Panes()) {
        const auto folder = session->GetFolderFromID(entryId);
        stored.push_back(folder ? folder->FolderPath() : entryId);
    }
    const bool closed = !shown.closedByHost;
    output.Result({{"action", "panes-dialog"},
                   {"closedWith", cancel_ ? "cancel" : "ok"},
                   {"closed", closed},
                   {"listed", listed},
                   {"checkBoxes", boxesJson},
                   {"stored", stored}},
                  [&](std::ostream& out) {
                      out << "The Panes dialog " << (closed ? (cancel_ ? "was cancelled" : "was OK'd")
                                                            : "stayed open and was closed")
                          << "\n  Listed:";
                      for (const std::string& path : listed) out << "\n    " << path;
                      out << "\n  Show:";
                      for (const auto& [box, on] : boxesJson.items()) {
                          if (on.get<bool>()) out << " " << box.substr(8, box.size() - 12);
                      }
                      out << "\n  Pane list stored:";
                      for (const std::string& path : stored) out << "\n    " << path;
                      out << "\n";
                  });
    ShowPanes(host, output);
    return 0;
}

}  // namespace ostrellix::host
