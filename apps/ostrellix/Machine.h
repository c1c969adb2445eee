#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>

#include "runtime/ClassFactory.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/client/SimulatedUser.h"
#include "standins/mapi/MessageFileFormats.h"
#include "standins/outlook/OutlookProgram.h"
#include "standins/outlook/Profile.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"
#include "standins/system/WorkCounters.h"

namespace ostrellix::host {

// This machine as the add-in needs it: the operating system, the Kelo
// client with its database, the translation library, an Outlook profile
// with Outlook installed (registered, not running), the MAPI library, and
// the add-in's classes registered; Outlook's address book has a list of
// the Kelo persons (unless the setup leaves it out). The host program and
// the tests compose it the same way. The clock moves only when told, so
// that time can pass at once (the connection timer's 30 seconds) and runs
// are repeatable.
class Machine {
public:
    struct Setup {
        std::filesystem::path configDirectory;  // the user's settings
        std::filesystem::path workingFolder;    // the Kelo client's
        std::string keloDatabase = ":memory:";
        bool createDemo = true;                 // a new database gets the demo schema and data
        bool demoDocumentClass = true;          // the demo schema has the document class
        bool demoMailTemplates = false;         // the demo data has mail templates
        bool keloAddressList = true;            // Outlook's address book has "Kelo Address Book"
        std::string outlookStore = ":memory:";
        std::string moduleFolder;               // where the add-in's "translation" folder is
        std::string language = "en";
        Date startTime = Date::FromParts(2024, 5, 1, 9);
        std::istream* input = nullptr;          // message boxes: standard input and output when not given
        std::ostream* output = nullptr;
        bool inputIsTerminal = false;
        standin::system::ConsoleMessageBox::Policy messageBoxPolicy =
            standin::system::ConsoleMessageBox::Policy::DefaultButton;
    };

    explicit Machine(Setup setup);
    ~Machine();
    Machine(const Machine&) = delete;
    Machine& operator=(const Machine&) = delete;

    ClassFactory& Factory() { return factory_; }
    standin::system::System& System() { return *system_; }
    standin::system::ManualClock& Clock() { return *clock_; }
    standin::kelo::KeloClient& Kelo() { return *kelo_; }
    standin::kelo::Application& KeloApp() { return *kelo_->App(); }
    standin::kelo::SimulatedUser& KeloUser() { return *keloUser_; }
    standin::outlook::Profile& OutlookProfile() { return *profile_; }
    standin::outlook::OutlookProgram& Outlook() { return *outlook_; }
    // The work the stand-ins did since the last Reset: Outlook's store and
    // the MAPI library over it, and the Kelo data engine, count into these.
    standin::system::WorkCounters& Counters() { return counters_; }

    // The user starts Outlook (as "Outlook.exe" from the shell).
    Ptr<outlook::IApplication> StartOutlook();
    // The client loads the add-in, then finishes starting up.
    void LoadAddin();
    void StartClient();

private:
    // Outlook's "Kelo Address Book" list shows the Kelo client's people.
    void FillKeloAddressList();

    ClassFactory factory_;
    standin::system::WorkCounters counters_;  // outlives every stand-in that counts into it
    standin::system::ManualClock* clock_ = nullptr;
    std::unique_ptr<standin::system::System> system_;
    std::unique_ptr<standin::outlook::Profile> profile_;
    standin::mapi::MessageFileFormats messageFiles_;  // outlives the Outlook program
    std::unique_ptr<standin::outlook::OutlookProgram> outlook_;
    std::unique_ptr<standin::kelo::KeloClient> kelo_;
    std::unique_ptr<standin::kelo::SimulatedUser> keloUser_;
};

}  // namespace ostrellix::host
