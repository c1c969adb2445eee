// The ostrellix host program: plays the part of the Kelo client on this
// machine. It opens a workspace, composes the stand-ins and the add-in,
// loads the add-in as the client does, runs one command, and unloads it.

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <atomic>
#include <csignal>
#include <iostream>
#include <limits>
#include <optional>

#include "apps/ostrellix/ActionGroup.h"
#include "apps/ostrellix/DemoCommand.h"
#include "apps/ostrellix/FileCommand.h"
#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/KeloActions.h"
#include "apps/ostrellix/LogCommand.h"
#include "apps/ostrellix/OptionsCommand.h"
#include "apps/ostrellix/OutlookActions.h"
#include "apps/ostrellix/StatusCommand.h"
#include "apps/ostrellix/SyncCommand.h"
#include "apps/ostrellix/XmlCommand.h"
#include "runtime/ErrorHandling.h"

namespace {

using ostrellix::host::Host;
using Policy = ostrellix::standin::system::ConsoleMessageBox::Policy;

// Ctrl-C during a synchronization is the work dialog's Cancel: the run looks at it between items.
std::atomic<bool> interrupted{false};
extern "C" void OnInterrupt(int) { interrupted = true; }

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"ostrellix - the Outlook add-in of the Kelo client, run on this machine's stand-ins"};
    app.require_subcommand(1);
    std::optional<std::string> workspace;
    std::string language = "en";
    bool yes = false, no = false, outlook = false, verbose = false;
    app.add_option("--workspace", workspace, "Workspace folder (default: $XDG_DATA_HOME/ostrellix/workspace)");
    app.add_option("--language", language, "Language of the Kelo client")->check(CLI::IsMember({"en", "sv"}));
    auto* yesFlag = app.add_flag("--yes", yes, "Answer every message box with Yes (or OK)");
    app.add_flag("--no", no, "Answer every message box with No (or Cancel)")->excludes(yesFlag);
    app.add_flag("--outlook", outlook, "Outlook is running before the client starts");
    app.add_flag("--verbose", verbose, "Show the add-in's debug output");

    auto* status = app.add_subcommand("status", "Show the workspace and what the add-in is connected to");
    auto* demo = app.add_subcommand("demo", "A narrated tour of the add-in");
    auto* options = app.add_subcommand("options", "List, read or change the add-in's options");
    options->require_subcommand(1);
    options->add_subcommand("list", "Every option with its kind and value");
    std::string name, value;
    auto* get = options->add_subcommand("get", "One option's value");
    get->add_option("name", name, "Property name, e.g. AllowDragDrop")->required();
    auto* set = options->add_subcommand("set", "Change one option");
    set->add_option("name", name, "Property name, e.g. SaveOutgoingMailMode")->required();
    set->add_option("value", value, "New value")->required();
    auto* log = app.add_subcommand("log", "The add-in's entries in the Kelo log, and its debug log");
    int tail = 0;
    std::optional<std::string> debug;
    log->add_option("--tail", tail, "Only the last N log entries")->check(CLI::PositiveNumber);
    log->add_option("--debug", debug, "Turn the debug log on or off")->check(CLI::IsMember({"on", "off"}));

    auto* file = app.add_subcommand("file", "File .msg and .eml files in Kelo, as dropped on a Kelo window");
    std::vector<std::string> paths;
    std::optional<std::string> context;
    bool fileJson = false;
    file->add_option("paths", paths,
                     "Message files, and folders: every .msg and .eml file in them, at any depth, in name order")
        ->required();
    file->add_option("--context", context, "File them against this record, CLASS:ID (for example person:3)");
    file->add_flag("--json", fileJson,
                   "One JSON object per file on standard output, for scripts (other text goes to standard error)");

    auto* xml = app.add_subcommand("xml", "The item XML of a .msg or .eml file");
    std::string xmlPath;
    std::optional<std::string> xmlOut;
    xml->add_option("file", xmlPath, "Message file")->required();
    xml->add_option("--out", xmlOut, "Write the XML to this file instead of printing it");

    auto* sync = app.add_subcommand("sync", "Synchronize appointments, tasks and contacts, as the Kelo user starts it");
    ostrellix::host::SyncCommand::Request syncRequest;
    bool syncJson = false;
    sync->add_flag("--full", syncRequest.full, "A full run (otherwise partial, unless no run has completed yet)");
    sync->add_flag("--dry-run", syncRequest.dryRun, "Run on a throwaway copy of the workspace and only report");
    sync->add_option("--max-deletions", syncRequest.maxDeletions,
                     "Preview first; stop (exit 3) when more than N items would be unmarked or deleted")
        ->check(CLI::Range(0, std::numeric_limits<int>::max()));
    sync->add_option("--report", syncRequest.reportFile, "Also write the report as JSON to this file");
    sync->add_flag("--json", syncJson,
                   "One JSON object per pair and a summary on standard output (other text goes to standard error)");

    ostrellix::host::ActionGroup outlookGroup(app, "outlook", "What an Outlook user does, and what the add-in did");
    const ostrellix::host::OutlookActions outlookActions(outlookGroup);
    ostrellix::host::ActionGroup keloGroup(app, "kelo", "What a Kelo user does, and what the add-in did");
    const ostrellix::host::KeloActions keloActions(keloGroup);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        // --help and the like exit 0; every mistake on the command line is a usage error.
        if (error.get_exit_code() != 0 && outlookGroup.Chosen()) return outlookGroup.Refuse(error, std::cerr);
        if (error.get_exit_code() != 0 && keloGroup.Chosen()) return keloGroup.Refuse(error, std::cerr);
        return app.exit(error) == 0 ? 0 : 2;
    }

    int exitCode = 2;
    ostrellix::Trap(
        [&] {
            Host::Setup setup{ostrellix::host::Workspace::Open(workspace)};
            setup.language = language;
            setup.outlookRunning = outlook;
            setup.showDebugOutput = verbose;
            setup.inputIsTerminal = isatty(STDIN_FILENO) != 0;
            setup.progress = isatty(STDERR_FILENO) != 0 ? &std::cerr : nullptr;
            if (fileJson || syncJson || outlookGroup.Json() || keloGroup.Json()) {
                setup.json = &std::cout;
                setup.output = &std::cerr;
            }
            setup.messageBoxPolicy = yes ? Policy::Yes : no ? Policy::No : Policy::Ask;
            if (sync->parsed()) {
                std::signal(SIGINT, OnInterrupt);
                exitCode = ostrellix::host::SyncCommand::Run(setup, syncRequest, [] { return interrupted.load(); });
                return;
            }
            // The user started Outlook before the client, so the add-in listens to it from the start.
            if (outlookGroup.Chosen() || keloGroup.Chosen()) setup.outlookRunning = true;
            Host host(std::move(setup));
            if (outlookGroup.Chosen()) exitCode = outlookGroup.Run(host);
            if (keloGroup.Chosen()) exitCode = keloGroup.Run(host);
            if (status->parsed()) exitCode = ostrellix::host::StatusCommand::Run(host);
            if (demo->parsed()) exitCode = ostrellix::host::DemoCommand::Run(host);
            if (options->got_subcommand("list")) exitCode = ostrellix::host::OptionsCommand::List(host);
            if (get->parsed()) exitCode = ostrellix::host::OptionsCommand::Get(host, name);
            if (set->parsed()) exitCode = ostrellix::host::OptionsCommand::Set(host, name, value);
            if (xml->parsed()) exitCode = ostrellix::host::XmlCommand::Run(host, xmlPath, xmlOut);
            if (file->parsed()) exitCode = ostrellix::host::FileCommand::Run(host, paths, context);
            if (log->parsed()) {
                exitCode = debug ? ostrellix::host::LogCommand::SetDebug(host, *debug == "on")
                                 : ostrellix::host::LogCommand::Run(host, tail);
            }
        },
        [&](const ostrellix::ComError& error) {
            std::cerr << "ostrellix: " << error.Description() << "\n";
            exitCode = ostrellix::host::Host::ExitStatus(error);
        });
    return exitCode;
}
