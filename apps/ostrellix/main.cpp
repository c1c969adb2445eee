// The ostrellix host program: plays the part of the Kelo client on this
// machine by composing the stand-ins and the add-in, then runs a command.

#include <CLI/CLI.hpp>
#include <iostream>
#include <unistd.h>

#include "runtime/ClassFactory.h"
#include "runtime/ErrorHandling.h"
#include "standins/system/System.h"

namespace {

using ostrellix::standin::system::System;

int Status(System& system) {
    std::cout << "Settings file: " << system.Settings().File().string() << "\n";
    std::cout << "Clock: " << system.Clock().Now().ToString() << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"ostrellix - runs the Outlook add-in for the Kelo client on this machine's stand-ins"};
    app.require_subcommand(1);
    std::string configDirectory;
    app.add_option("--config-dir", configDirectory, "Folder of the per-user settings (default: $XDG_CONFIG_HOME/ostrellix)");
    CLI::App* status = app.add_subcommand("status", "Show where the settings are kept and what is connected");
    CLI11_PARSE(app, argc, argv);

    int exitCode = 1;
    ostrellix::Trap(
        [&] {
            ostrellix::ClassFactory factory;
            System::Setup setup;
            if (!configDirectory.empty()) setup.configDirectory = configDirectory;
            setup.inputIsTerminal = isatty(STDIN_FILENO) != 0;
            System system(factory, std::move(setup));
            if (status->parsed()) exitCode = Status(system);
        },
        [&](const ostrellix::ComError& error) {
            std::cerr << "ostrellix: " << error.Description() << " (" << error.Source() << ", error "
                      << error.Number() << ")\n";
            exitCode = 2;
        });
    return exitCode;
}
