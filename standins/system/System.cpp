#include "standins/system/System.h"

#include <iostream>

#include "standins/system/Shell.h"
#include "standins/system/SystemClock.h"

namespace ostrellix::standin::system {

System::System(ClassFactory& factory, Setup setup)
    : factory_(factory),
      settings_(SettingsStore::FileIn(setup.configDirectory)),
      messageBox_(setup.input ? *setup.input : std::cin, setup.output ? *setup.output : std::cout,
                  setup.inputIsTerminal, setup.messageBoxPolicy),
      clock_(setup.clock ? std::move(setup.clock) : std::make_unique<SystemClock>()) {
    settings_.FailIn(faults_);
    factory_.Register("WScript.Shell", [this] { return std::make_shared<Shell>(settings_, programs_); });
}

}  // namespace ostrellix::standin::system
