#pragma once

#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <memory>

#include "contracts/win/ISystem.h"
#include "runtime/ClassFactory.h"
#include "standins/system/ConsoleMessageBox.h"
#include "standins/system/DebuggerOutput.h"
#include "standins/system/FaultSwitch.h"
#include "standins/system/FormHost.h"
#include "standins/system/PopupMenus.h"
#include "standins/system/Programs.h"
#include "standins/system/RunningObjectTable.h"
#include "standins/system/SettingsStore.h"

namespace ostrellix::standin::system {

// The operating system of the process: owns the settings store, debugger
// output, message box, modal dialogs, pop-up menus, running-object table, clock and
// program table, and creates objects through the class factory it was given. Registers the
// shell object ("WScript.Shell") there. Its ANSI code page (the one 8-bit
// text of programs is in when nothing says otherwise) is 1252, Western
// European, until set otherwise.
class System final : public win::ISystem {
public:
    struct Setup {
        std::filesystem::path configDirectory = SettingsStore::DefaultDirectory();
        std::unique_ptr<win::IClock> clock;  // the machine's clock when not given
        std::istream* input = nullptr;       // standard input and output when not given
        std::ostream* output = nullptr;
        bool inputIsTerminal = false;
        ConsoleMessageBox::Policy messageBoxPolicy = ConsoleMessageBox::Policy::DefaultButton;
    };

    System(ClassFactory& factory, Setup setup);

    SettingsStore& Settings() override { return settings_; }
    DebuggerOutput& DebugOutput() override { return debugOutput_; }
    ConsoleMessageBox& MessageBox() override { return messageBox_; }
    RunningObjectTable& RunningObjects() override { return runningObjects_; }
    win::IClock& Clock() override { return *clock_; }
    FormHost& Forms() override { return forms_; }
    PopupMenus& Menus() override { return menus_; }
    ObjectPtr CreateObject(std::string_view progId) override { return factory_.Create(progId); }

    std::uint32_t AnsiCodePage() const { return ansiCodePage_; }
    void SetAnsiCodePage(std::uint32_t codePage) { ansiCodePage_ = codePage; }

    Programs& ProgramTable() { return programs_; }
    // The one fault switch of the machine: every stand-in counts its calls in it.
    FaultSwitch& Faults() { return faults_; }
    ClassFactory& Factory() { return factory_; }

private:
    ClassFactory& factory_;
    SettingsStore settings_;
    DebuggerOutput debugOutput_;
    ConsoleMessageBox messageBox_;
    RunningObjectTable runningObjects_;
    std::unique_ptr<win::IClock> clock_;
    FormHost forms_;
    PopupMenus menus_;
    Programs programs_;
    FaultSwitch faults_;
    std::uint32_t ansiCodePage_ = 1252;
};

}  // namespace ostrellix::standin::system
