#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "apps/ostrellix/ActionEffects.h"
#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/JsonLines.h"

namespace ostrellix::host {

// Where an action prints its results: text on the host's output, or, with
// --json, one JSON object per result (and the text meant for a person on
// the host's output, which is then standard error).
class ActionOutput {
public:
    explicit ActionOutput(Host& host);

    bool Json() const { return json_.has_value(); }
    // A result: its JSON object for scripts, its text otherwise.
    void Result(const nlohmann::json& object, const std::function<void(std::ostream&)>& text);
    // Text for a person, whichever way results go.
    std::ostream& Note() { return out_; }

private:
    std::ostream& out_;
    std::optional<JsonLines> json_;
};

// A group of user actions of the host program: `ostrellix GROUP ACTION
// [options]`. Each action has --help and --json; the group's --help lists
// its actions a line each. An action runs on a started host and prints what
// it did, then what the add-in did around it (ActionEffects), also when it
// fails on the way. Exit status: the action's own (0, or 2 for a mistake
// the program finds), 1 when the add-in reported an error during it.
class ActionGroup {
public:
    using Body = std::function<int(Host&, ActionOutput&)>;

    ActionGroup(CLI::App& program, const std::string& name, const std::string& description);

    // An action; the returned command takes its arguments and options.
    CLI::App& Add(const std::string& name, const std::string& description, Body body);

    // The command line chose this group (also when it was wrong after that).
    bool Chosen() const;
    // The chosen action prints for scripts.
    bool Json() const;
    // Runs the chosen action on the host, starting the host first.
    int Run(Host& host);
    // A mistake on a command line that chose this group: one line on `err`;
    // the exit status (2).
    int Refuse(const CLI::ParseError& error, std::ostream& err) const;

private:
    struct Action {
        CLI::App* command;
        Body body;
        bool json = false;
    };

    CLI::App* group_;
    std::vector<std::unique_ptr<Action>> actions_;
};

}  // namespace ostrellix::host
