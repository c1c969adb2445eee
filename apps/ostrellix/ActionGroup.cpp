#include "apps/ostrellix/ActionGroup.h"

#include <ostream>

#include "runtime/ErrorHandling.h"

namespace ostrellix::host {

ActionOutput::ActionOutput(Host& host) : out_(host.Out()) {
    if (host.Json()) json_.emplace(*host.Json());
}

void ActionOutput::Result(const nlohmann::json& object, const std::function<void(std::ostream&)>& text) {
    if (json_) {
        json_->Write(object);
    } else {
        text(out_);
    }
}

ActionGroup::ActionGroup(CLI::App& program, const std::string& name, const std::string& description)
    : group_(program.add_subcommand(name, description)) {
    group_->require_subcommand(1);
}

CLI::App& ActionGroup::Add(const std::string& name, const std::string& description, Body body) {
    auto& action = *actions_.emplace_back(std::make_unique<Action>(Action{nullptr, std::move(body)}));
    action.command = group_->add_subcommand(name, description);
    action.command->add_flag("--json", action.json,
                             "One JSON object per result on standard output, for scripts (other text goes to "
                             "standard error)");
    return *action.command;
}

bool ActionGroup::Chosen() const { return group_->parsed(); }

bool ActionGroup::Json() const {
    for (const auto& action : actions_) {
        if (action->command->parsed()) return action->json;
    }
    return false;
}

int ActionGroup::Run(Host& host) {
    for (const auto& action : actions_) {
        if (!action->command->parsed()) continue;
        host.Start();
        ActionOutput output(host);
        ActionEffects effects(host.TheMachine());
        const auto report = [&] {
            if (output.Json()) {
                for (const auto& effect : effects.Json()) output.Result(effect, {});
            } else {
                effects.Print(output.Note());
            }
        };
        int status = 0;
        PassOn([&] { status = action->body(host, output); }, report);
        report();
        return status == 0 && effects.ErrorReported() ? 1 : status;
    }
    return 2;
}

int ActionGroup::Refuse(const CLI::ParseError& error, std::ostream& err) const {
    std::string name = "ostrellix " + group_->get_name();
    for (const auto& action : actions_) {
        if (action->command->parsed()) name += " " + action->command->get_name();
    }
    err << name << ": " << error.what() << " (see " << name << " --help)\n";
    return 2;
}

}  // namespace ostrellix::host
