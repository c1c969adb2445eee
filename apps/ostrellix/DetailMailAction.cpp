#include "apps/ostrellix/DetailMailAction.h"

#include <ostream>

#include "apps/ostrellix/KeloActions.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/KeloClient.h"

namespace ostrellix::host {

using standin::kelo::MenuCommands;

DetailMailAction::DetailMailAction(ActionGroup& group) {
    Add(group, "send-contacts", "A new Outlook mail carrying the records as business cards",
        &MenuCommands::SendContacts);
    Add(group, "please-call", "A new Outlook mail asking to call the records (or the persons they are about)",
        &MenuCommands::SendPleaseCall);
    Add(group, "all-details", "A new Outlook mail with every filled-in contact field of the records",
        &MenuCommands::SendAllDetails);
}

void DetailMailAction::Add(ActionGroup& group, const std::string& name, const std::string& description,
                           Command command) {
    auto& action = group.Add(name, description, [this, name, command](Host& host, ActionOutput& output) {
        return Run(host, output, name, command);
    });
    action.add_option("--context", context_, "The record the user has open, CLASS:ID (for example person:1)");
    action.add_option("--selection", selection_, "Records selected in a list window of their class, CLASS:ID,ID,...");
    action.add_option("--recipient", recipient_, "The recipient the client hands over (the mail shows none)");
}

int DetailMailAction::Run(Host& host, ActionOutput& output, const std::string& name, Command command) {
    const auto window = KeloActions::OpenWindow(host, context_, selection_, name);
    auto& dialogs = *host.TheMachine().KeloApp().Dialogs();
    const std::size_t before = dialogs.Reports().size();
    KeloActions::RunCommand(host, output, window,
                            [&](MenuCommands& menu, const ObjectPtr& on) { (menu.*command)(on, recipient_); });
    for (std::size_t i = before; i < dialogs.Reports().size(); ++i) {
        const auto& report = dialogs.Reports()[i];
        for (std::size_t step = 0; step < report.progress.size(); ++step) {
            const std::string message = step < report.messages.size() ? report.messages[step] : "";
            output.Result({{"action", "progress"}, {"dialog", report.caption}, {"percent", report.progress[step]},
                           {"message", message}},
                          [&](std::ostream& out) {
                              out << report.caption << " " << report.progress[step] << "%: " << message << "\n";
                          });
        }
    }
    if (const auto inspector = As<standin::kelo::Inspector>(window)) host.TheMachine().KeloUser().Close(inspector);
    return 0;
}

}  // namespace ostrellix::host
