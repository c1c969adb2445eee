#pragma once

#include <cstdint>
#include <optional>

#include "contracts/outlook/IApplication.h"
#include "runtime/ClassFactory.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::system {
class System;
}

namespace ostrellix::standin::outlook {

class Application;
class MessageFiles;
class Profile;

// Outlook as a program of this machine: Register puts "Outlook.Application"
// and the View Control ("OLXLibCtl.ViewCtl") into the class factory and
// "Outlook.exe" into the system's program table. Start gives the running
// Outlook, or starts one on the profile: it registers itself in the
// running-object table under outlook::kOutlookClassId and stays there until
// it quits; there is at most one at a time, and a new one may start after
// the last quit, on the same profile. Started as "Outlook.exe" it shows its
// Inbox in an explorer, as a user sees it; started for automation it
// shows nothing. Without message files (the host's), the members that
// need them raise 438. The system and the profile must outlive the program,
// and the program the system's program table (which has no way to take
// "Outlook.exe" out again); going away, it ends a running Outlook without
// events and takes its classes out of the class factory.
class OutlookProgram {
public:
    OutlookProgram(ClassFactory& factory, system::System& system, Profile& profile, MessageFiles* files = nullptr);
    ~OutlookProgram();
    OutlookProgram(const OutlookProgram&) = delete;
    OutlookProgram& operator=(const OutlookProgram&) = delete;

    void Register();
    Ptr<ol::IApplication> Start();
    // The running Outlook, or nothing.
    Ptr<ol::IApplication> Running() const;

private:
    void Stopped();

    ClassFactory& factory_;
    system::System& system_;
    Profile& profile_;
    MessageFiles* files_;
    Ptr<Application> running_;
    std::optional<std::uint32_t> registration_;
};

}  // namespace ostrellix::standin::outlook
