#pragma once

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "apps/ostrellix/Machine.h"
#include "core/Addin.h"

namespace ostrellix::testing {

// The machine a test runs the add-in on (see host::Machine): settings in
// a fresh folder, a clock that moves only when told, the Kelo client on an
// in-memory demo database, Outlook installed on an in-memory store. Unless
// told not to, the client loads the add-in (OnConnection).
class AddinWorld {
public:
    struct Options {
        bool loadAddin = true;
        bool outlookRunning = false;  // the user started Outlook before the client
        bool start = false;           // the client also finishes starting up (StartUpComplete)
        std::string language = "en";
        bool documentClass = true;    // the Kelo database has the document class
        bool keloAddressList = true;  // Outlook's address book has the Kelo list
    };

    AddinWorld() : AddinWorld(Options{}) {}
    explicit AddinWorld(Options options);
    ~AddinWorld();
    AddinWorld(const AddinWorld&) = delete;
    AddinWorld& operator=(const AddinWorld&) = delete;

    host::Machine& Machine() { return *machine_; }
    standin::kelo::Application& Kelo() { return machine_->KeloApp(); }
    standin::kelo::KeloClient& Client() { return machine_->Kelo(); }
    standin::kelo::SimulatedUser& User() { return machine_->KeloUser(); }
    standin::system::System& System() { return machine_->System(); }
    standin::system::ManualClock& Clock() { return machine_->Clock(); }
    const std::filesystem::path& Folder() const { return folder_; }
    Ptr<addin::Addin> TheAddin();
    // The running Outlook, or nothing.
    Ptr<outlook::IApplication> Outlook() { return machine_->Outlook().Running(); }

    // The debugger output so far, and whether a line holds the text.
    const std::vector<std::string>& DebugLines() const { return debugLines_; }
    bool Logged(std::string_view text) const;
    std::size_t TimesLogged(std::string_view text) const;
    // Lines of the host's log ("type|location|code|message").
    std::vector<std::string> KeloLog();

private:
    std::filesystem::path folder_;
    std::istringstream input_;
    std::ostringstream output_;
    std::unique_ptr<host::Machine> machine_;
    std::vector<std::string> debugLines_;
    Connection debugCapture_;
};

}  // namespace ostrellix::testing
