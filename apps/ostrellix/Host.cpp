#include "apps/ostrellix/Host.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "standins/system/SystemClock.h"

namespace ostrellix::host {

Host::Host(Setup setup)
    : workspace_(std::move(setup.workspace)),
      output_(setup.output ? setup.output : &std::cout),
      input_(setup.input ? setup.input : &std::cin),
      inputIsTerminal_(setup.inputIsTerminal),
      progress_(setup.progress),
      json_(setup.json) {
    Machine::Setup machine;
    machine.configDirectory = workspace_.Config();
    machine.workingFolder = workspace_.Work();
    machine.keloDatabase = workspace_.KeloDatabase().string();
    machine.createDemo = true;
    machine.demoMailTemplates = true;
    machine.outlookStore = workspace_.OutlookStore().string();
    machine.moduleFolder = setup.moduleFolder;
    machine.language = setup.language;
    // The machine's clock starts at the real time unless told otherwise; time
    // passes only when the host lets it.
    machine.startTime = setup.startTime ? *setup.startTime : standin::system::SystemClock().Now();
    machine.output = output_;
    machine.input = input_;
    machine.inputIsTerminal = setup.inputIsTerminal;
    machine.messageBoxPolicy = setup.messageBoxPolicy;
    machine_ = std::make_unique<Machine>(std::move(machine));
    if (setup.showDebugOutput) ShowDebugOutput(true);
    if (setup.outlookRunning) machine_->StartOutlook();
}

Host::~Host() { IgnoreErrors([&] { Stop(); }); }

void Host::Start() {
    machine_->LoadAddin();
    machine_->StartClient();
    started_ = true;
}

void Host::Stop() {
    if (!started_) return;
    started_ = false;
    machine_->Kelo().Shutdown();
}

void Host::ShowDebugOutput(bool show, std::string prefix) {
    if (!show) {
        debugOutput_.Disconnect();
        return;
    }
    debugOutput_ = machine_->System().DebugOutput().Written.Connect([this, prefix](const std::string& line) {
        *output_ << prefix << text::Replace(text::Replace(line, "\r\n", ""), "Ostrellix - ", "") << "\n";
    });
}

std::string Host::ProgramFolder() {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : self.parent_path().string();
}

int Host::ExitStatus(const ComError& error) { return error.Source() == "ostrellix" ? 2 : 1; }

}  // namespace ostrellix::host
