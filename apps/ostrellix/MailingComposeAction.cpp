#include "apps/ostrellix/MailingComposeAction.h"

#include <ostream>

#include "apps/ostrellix/Mistake.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/INameSpace.h"
#include "messenger/FormMessenger.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/DialogPlans.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::host {

namespace {

bool OnOff(const std::string& option, const std::string& value) {
    if (value == "on") return true;
    if (value == "off") return false;
    Mistake(option + " takes on or off, not \"" + value + "\"");
}

std::pair<std::string, std::string> Condition(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos || equals == 0) Mistake("--filter-new takes FIELD=VALUE, not \"" + text + "\"");
    return {text.substr(0, equals), text.substr(equals + 1)};
}

nlohmann::json MenuJson(const std::vector<win::MenuItem>& items) {
    nlohmann::json list = nlohmann::json::array();
    for (const auto& item : items) {
        nlohmann::json entry = {{"number", item.number}, {"text", item.text}, {"enabled", item.enabled}};
        if (!item.submenu.empty()) entry["submenu"] = MenuJson(item.submenu);
        list.push_back(entry);
    }
    return list;
}

void PrintMenu(std::ostream& out, const std::vector<win::MenuItem>& items, const std::string& indent) {
    for (const auto& item : items) {
        out << indent;
        if (item.submenu.empty()) out << item.number << " ";
        out << item.text << (item.enabled ? "" : " (disabled)") << (item.submenu.empty() ? "" : " >") << "\n";
        PrintMenu(out, item.submenu, indent + "  ");
    }
}

std::string Shown(const Variant& value) {
    if (value.IsObject()) return "";
    std::string text;
    IgnoreErrors([&] { text = value.ToString(); });
    return text;
}

}  // namespace

MailingComposeAction::MailingComposeAction(ActionGroup& group) {
    auto& action = group.Add("mailing-compose",
                             "The compose dialog of a new mailing, worked and OK'd: its menus, messages and settings",
                             [this](Host& host, ActionOutput& output) { return Run(host, output); });
    action.add_option("--class", className_, "The class of the records mailed, by name (person ...)")->required();
    auto* blank = action.add_flag("--new-message", newMessage_, "Start a blank message (New message)");
    action.add_option("--template", template_, "Start the message from this mail template, by name")
                     ->excludes(blank);
    action.add_option("--subject", subject_, "Type this subject into the message window");
    action.add_option("--body", body_, "Type this body into the message window");
    action.add_flag("--close-box", closeBox_, "End the message with the window's close box (saving) instead of Send");
    action.add_option("--field", field_, "Choose the e-mail field from the field menu, by its entry's text");
    action.add_option("--filter-new", filterNew_, "Make a new filter with the condition FIELD=VALUE (repeat for more)");
    action.add_option("--filter-stored", filterStored_, "Choose this stored filter of the class from the filter menu");
    action.add_flag("--remove-filter", removeFilter_,
                    "Remove the filter, after making any new one (a new mailing has none to remove)");
    action.add_option("--one-by-one", oneByOne_, "Set the one-mail-per-recipient box: on or off");
    action.add_option("--save-only-first", saveOnlyFirst_, "Set the keep-only-the-first-sent-mail box: on or off");
    action.add_option("--ignore-duplicates", ignoreDuplicates_, "Set the skip-duplicate-addresses box: on or off");
    action.add_flag("--cancel", cancel_, "Cancel the dialog instead of OK");
}

int MailingComposeAction::Run(Host& host, ActionOutput& output) {
    Machine& machine = host.TheMachine();
    auto& app = machine.KeloApp();
    const auto cls = app.Classes()->FindByName(className_);
    if (!cls) Mistake("There is no class " + className_);
    const bool writing = newMessage_ || template_;
    if ((subject_ || body_ || closeBox_) && !writing) {
        Mistake("--subject, --body and --close-box need a message: --new-message or --template NAME");
    }
    const struct {
        const char* box;
        const char* option;
        const std::optional<std::string>& value;
    } boxes[] = {{"CtrlSendOneByOne", "--one-by-one", oneByOne_},
                 {"CtrlSaveOnlyFirstMail", "--save-only-first", saveOnlyFirst_},
                 {"CtrlIgnoreDuplicates", "--ignore-duplicates", ignoreDuplicates_}};
    for (const auto& box : boxes) {
        if (box.value) OnOff(box.option, *box.value);
    }
    std::vector<std::pair<std::string, std::string>> conditions;
    for (const std::string& text : filterNew_) conditions.push_back(Condition(text));

    const auto engine = standin::kelo::MenuCommands(machine.Kelo()).NewMailing();
    engine->IMessenger_SetClass(cls);
    auto& menus = machine.System().Menus();
    const std::size_t menusBefore = menus.History().size();
    standin::outlook::SimulatedUser outlookUser(machine.Outlook().Running());

    machine.System().Forms().PlanNext("FormMessenger", [&](win::IForm& form) {
        auto& dialog = dynamic_cast<addin::FormMessenger&>(form);
        auto& panel = *dialog.CtrlMessenger();
        for (const auto& box : boxes) {
            if (box.value && OnOff(box.option, *box.value) != (panel.State(box.box).value.ToLong() != 0)) {
                panel.Click(box.box);
            }
        }
        if (writing) {
            if (template_) {
                menus.PlanChoice(*template_);
            } else {
                menus.PlanChoice(100);
            }
            panel.Click("CtrlNewButton");
            const auto window = panel.MessageInspector();
            if (!window) Mistake("The New message menu offers no template \"" + template_.value_or("") + "\"");
            if (subject_) outlookUser.Type(window, "Subject", Variant(*subject_));
            if (body_) outlookUser.Type(window, "Body", Variant(*body_));
            if (closeBox_) {
                outlookUser.Close(window, true);
            } else {
                outlookUser.PressSend(window);
            }
        }
        if (field_) {
            menus.PlanChoice(*field_);
            panel.Click("CtrlFieldButton");
        }
        if (!conditions.empty()) {
            app.Dialogs()->PlanFilterEdit({[&](kelo::IFilter& edited) {
                                               for (const auto& [field, value] : conditions) {
                                                   edited.Add(field, kelo::op::Equal, Variant(value));
                                               }
                                           },
                                           true});
            menus.PlanChoice(101);
            panel.Click("CtrlFilterButton");
        }
        if (filterStored_) {
            menus.PlanChoice(*filterStored_);
            panel.Click("CtrlFilterButton");
            if (menus.History().back().chosen == 0) {
                Mistake("The filter menu offers no stored filter \"" + *filterStored_ + "\"");
            }
        }
        if (removeFilter_) {
            menus.PlanChoice(99);
            panel.Click("CtrlFilterButton");
        }
        form.Click(cancel_ ? "CtrlCancel" : "CtrlOK");
    });
    const bool confirmed = engine->IMessenger_Compose();

    for (std::size_t i = menusBefore; i < menus.History().size(); ++i) {
        const auto& shown = menus.History()[i];
        output.Result({{"action", "menu"}, {"items", MenuJson(shown.items)}, {"chosen", shown.chosen}},
                      [&](std::ostream& out) {
                          out << "Menu:\n";
                          PrintMenu(out, shown.items, "  ");
                          out << "  Chosen: " << (shown.chosen ? std::to_string(shown.chosen) : "nothing") << "\n";
                      });
    }

    const auto settings = Cast<kelo::IProperties>(app.CreateObject("QVR.Properties"));
    engine->IMessenger_SaveProperties(settings);
    const std::string entryId = Shown(settings->Value("Message"));
    std::string subject;
    if (!entryId.empty()) {
        IgnoreErrors([&] { subject = Must(machine.Outlook().Running()->Session()->GetItemFromID(entryId)).Subject(); });
    }
    std::string filter;
    IgnoreErrors([&] { filter = Must(settings->Value("Filter").ToObjectAs<kelo::IFilter>()).Description(); });
    std::int64_t templateBytes = 0;
    IgnoreErrors([&] {
        templateBytes = static_cast<std::int64_t>(Must(settings->Value("Template").ToObjectAs<kelo::IDocument>()).Data().size());
    });
    const auto flag = [&](const char* name) {
        bool on = false;
        IgnoreErrors([&] { on = settings->Value(name).ToBoolean(); });
        return on;
    };
    const nlohmann::json result = {{"action", "mailing"},
                                   {"confirmed", confirmed},
                                   {"class", Shown(settings->Value("Class"))},
                                   {"field", Shown(settings->Value("Field"))},
                                   {"message", entryId},
                                   {"subject", subject},
                                   {"templateBytes", templateBytes},
                                   {"filter", filter},
                                   {"sendOneByOne", flag("SendOneByOne")},
                                   {"saveOnlyFirstMail", flag("SaveOnlyFirstMail")},
                                   {"ignoreDuplicates", flag("IgnoreDuplicates")}};
    output.Result(result, [&](std::ostream& out) {
        const auto yesNo = [](bool on) { return on ? "yes" : "no"; };
        out << (confirmed ? "Confirmed" : "Not confirmed") << "\n"
            << "  Class: " << result["class"].get<std::string>() << "\n"
            << "  Field: " << result["field"].get<std::string>() << "\n"
            << "  Message: " << (entryId.empty() ? "none" : entryId + " (" + subject + ")") << "\n"
            << "  Stored message file: " << templateBytes << " bytes\n"
            << "  Filter: " << (filter.empty() ? "none" : filter) << "\n"
            << "  One mail per recipient: " << yesNo(flag("SendOneByOne")) << "\n"
            << "  Keep only the first in Sent Items: " << yesNo(flag("SaveOnlyFirstMail")) << "\n"
            << "  Skip duplicate addresses: " << yesNo(flag("IgnoreDuplicates")) << "\n";
    });
    return 0;
}

}  // namespace ostrellix::host
