#pragma once

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/Addin.h"
#include "runtime/ClassFactory.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/SimulatedUser.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"

namespace ostrellix::testing {

// The machine a test runs the add-in on: the operating system (settings in
// a fresh folder, a clock that moves only when told), the Kelo client on an
// in-memory demo database, the translation library, and the add-in's
// classes registered as the host program registers them. Unless told not
// to, the client loads the add-in (OnConnection) as it starts up.
class AddinWorld {
public:
    struct Options {
        bool loadAddin = true;
        bool start = false;  // also raise StartUpComplete
        std::string language = "en";
    };

    AddinWorld() : AddinWorld(Options{}) {}
    explicit AddinWorld(Options options);
    ~AddinWorld();
    AddinWorld(const AddinWorld&) = delete;
    AddinWorld& operator=(const AddinWorld&) = delete;

    standin::kelo::Application& Kelo() { return *client_->App(); }
    standin::kelo::KeloClient& Client() { return *client_; }
    standin::kelo::SimulatedUser& User() { return *user_; }
    standin::system::System& System() { return *system_; }
    standin::system::ManualClock& Clock() { return *clock_; }
    ClassFactory& Factory() { return factory_; }
    const std::filesystem::path& Folder() const { return folder_; }
    Ptr<addin::Addin> TheAddin();

    // The debugger output so far, and whether a line holds the text.
    const std::vector<std::string>& DebugLines() const { return debugLines_; }
    bool Logged(std::string_view text) const;
    // Lines of the host's log ("type|location|code|message").
    std::vector<std::string> KeloLog();

private:
    std::filesystem::path folder_;
    ClassFactory factory_;
    standin::system::ManualClock* clock_ = nullptr;
    std::istringstream input_;
    std::ostringstream output_;
    std::unique_ptr<standin::system::System> system_;
    std::unique_ptr<standin::kelo::KeloClient> client_;
    std::unique_ptr<standin::kelo::SimulatedUser> user_;
    std::vector<std::string> debugLines_;
    Connection debugCapture_;
};

}  // namespace ostrellix::testing
