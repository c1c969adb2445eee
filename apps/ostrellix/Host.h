#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "apps/ostrellix/Machine.h"
#include "apps/ostrellix/Workspace.h"
#include "runtime/ComError.h"
#include "runtime/Connection.h"

namespace ostrellix::host {

// The Kelo client as the host program runs it on a workspace: the machine
// composed on the workspace's files, the add-in loaded and started up as
// the client does it, and shut down and unloaded when the host goes.
class Host {
public:
    struct Setup {
        Workspace workspace;
        std::string language = "en";
        bool outlookRunning = false;  // the user started Outlook before the client
        bool showDebugOutput = false;  // print the add-in's debug lines as they come
        std::string moduleFolder = ProgramFolder();  // where the add-in's "translation" folder is
        std::ostream* output = nullptr;
        std::istream* input = nullptr;  // what the user types; standard input when not given
        // Where long work draws its progress line: a terminal, or none.
        std::ostream* progress = nullptr;
        // Where commands print their results for scripts, one JSON object
        // per line, instead of as text on the output; none for text.
        std::ostream* json = nullptr;
        bool inputIsTerminal = false;
        // When the machine's clock starts; the real time when not given.
        std::optional<Date> startTime = std::nullopt;
        standin::system::ConsoleMessageBox::Policy messageBoxPolicy =
            standin::system::ConsoleMessageBox::Policy::DefaultButton;
    };

    explicit Host(Setup setup);
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The client loads the add-in and finishes starting up.
    void Start();
    // The client shuts down (the add-in's ShutDown and OnDisconnection).
    void Stop();

    Machine& TheMachine() { return *machine_; }
    const Workspace& TheWorkspace() const { return workspace_; }
    std::ostream& Out() { return *output_; }
    std::istream& In() { return *input_; }
    bool InputIsTerminal() const { return inputIsTerminal_; }
    std::ostream* Progress() { return progress_; }
    std::ostream* Json() { return json_; }
    // Prints the add-in's debug lines from now on (or stops).
    void ShowDebugOutput(bool show, std::string prefix = "    | ");

    // The folder the program was started from (the add-in's "translation" folder lies there).
    static std::string ProgramFolder();

    // The exit status of a run an error ended: 2 when the program itself
    // refused what it was asked to do (source "ostrellix"), 1 when the
    // add-in or a file failed on the way.
    static int ExitStatus(const ComError& error);

private:
    Workspace workspace_;
    std::ostream* output_;
    std::istream* input_;
    bool inputIsTerminal_;
    std::ostream* progress_;
    std::ostream* json_;
    std::unique_ptr<Machine> machine_;
    Connection debugOutput_;
    bool started_ = false;
};

}  // namespace ostrellix::host
