#pragma once

#include <functional>
#include <optional>
#include <string>

#include "apps/ostrellix/Host.h"

namespace ostrellix::host {

// `ostrellix sync [--full] [--dry-run] [--max-deletions N] [--report FILE]
// [--json]`: a synchronization run as the Kelo user starts it, in the
// client's work dialog (Synchronizer.SynchronizeWithWorkdialog), whose
// progress is drawn when the host has a terminal for it. Then a report of
// every pair the session's runs handled (the client's start-up run
// included, when it has one): counts per kind and action, one JSON object
// per pair and a summary for scripts, and the same as one JSON document
// in FILE.
//
// A dry run works on a throwaway copy of the workspace, made before any
// file of it is open. With a deletion limit a dry run comes first; when it
// would unmark or delete more items than allowed they are listed and
// nothing runs for real.
class SyncCommand {
public:
    struct Request {
        bool full = false;
        bool dryRun = false;
        std::optional<int> maxDeletions = {};
        std::optional<std::string> reportFile = {};
    };
    // Asked while the run goes on; true is the user's Cancel (Ctrl-C).
    using Interrupted = std::function<bool()>;

    static constexpr int kDone = 0, kFailed = 1, kTooManyDeletions = 3, kCancelled = 130;

    // The hosts are made here, because a copy of the workspace must be made
    // before a machine opens its files.
    static int Run(const Host::Setup& setup, const Request& request, const Interrupted& interrupted);
};

}  // namespace ostrellix::host
