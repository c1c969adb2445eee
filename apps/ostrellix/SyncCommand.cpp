#include "apps/ostrellix/SyncCommand.h"

#include <filesystem>
#include <ostream>

#include "apps/ostrellix/JsonLines.h"
#include "apps/ostrellix/SyncReport.h"
#include "apps/ostrellix/WorkspaceCopy.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IUser.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/AtomicFile.h"
#include "runtime/ComError.h"
#include "sync/Synchronizer.h"

namespace ostrellix::host {

namespace {

using addin::Globals;

constexpr const char* kStartOfLine = "\r\x1b[K";

enum class Outcome { Done, Failed, Cancelled, NotEnabled };

// One session of the client on a workspace: start-up (with the client's
// start-up run when configured), the user's run in the work dialog, shut
// down (with the shut-down run when configured). Every pair goes to `report`.
class Session {
public:
    Session(Host::Setup setup, const SyncCommand::Interrupted& interrupted, SyncReport& report)
        : interrupted_(interrupted), report_(report) {
        // The user works with Outlook open, as synchronizing needs it.
        setup.outlookRunning = true;
        host_.emplace(std::move(setup));
    }

    Outcome Run(bool full);
    Host& TheHost() { return *host_; }

private:
    bool Enabled();
    void SayWhichRun(bool full);
    void Draw(const standin::kelo::DialogPlans::Report& dialog);

    const SyncCommand::Interrupted& interrupted_;
    SyncReport& report_;
    bool drawn_ = false;
    std::size_t before_ = 0;  // pairs of the start-up run, not counted in the progress
    Connection pairs_;
    // Last, so that the client shuts down (and may run once more) while the rest is still there.
    std::optional<Host> host_;
};

Outcome Session::Run(bool full) {
    Host& host = *host_;
    auto& app = host.TheMachine().KeloApp();
    app.Dialogs()->Watch({[this](const auto& dialog) { Draw(dialog); }, interrupted_});
    pairs_ = Globals::Synchronizer()->Events().PairSynchronized.Connect(
        [this](const addin::PairReport& pair) { report_.Add(pair); });
    host.Start();
    if (!Enabled()) return Outcome::NotEnabled;
    if (!report_.Pairs().empty()) {
        host.Out() << "The client's start-up synchronization (SynchronizeAtStartup) ran first: its "
                   << report_.Pairs().size() << " pairs are in the report.\n";
    }
    SayWhichRun(full);

    const std::size_t boxes = app.Boxes().History().size();
    const std::size_t dialogs = app.Dialogs()->Reports().size();
    before_ = report_.Pairs().size();
    Globals::Synchronizer()->SynchronizeWithWorkdialog(full);
    if (drawn_) *host.Progress() << kStartOfLine << std::flush;
    const auto& shown = app.Boxes().History();
    // The run's own error trap has shown the error; the run did not complete.
    for (std::size_t i = boxes; i < shown.size(); ++i) host.Out() << "The add-in reported: " << shown[i].text << "\n";
    const bool cancelled = app.Dialogs()->Reports().size() > dialogs && app.Dialogs()->Reports()[dialogs].cancelled;
    host.Stop();
    if (shown.size() > boxes) return Outcome::Failed;
    return cancelled ? Outcome::Cancelled : Outcome::Done;
}

bool Session::Enabled() {
    if (Globals::Synchronizer()->IsSynchronizationEnabled()) return true;
    const auto user = Globals::Application()->ActiveUser();
    const auto coworker = user->Record();
    host_->Out() << "Synchronization is not enabled for " << user->Name() << ": the option SynchronizationUser is "
                 << Globals::Options()->SynchronizationUser() << ", "
                 << (coworker ? "not their coworker record (ostrellix options set SynchronizationUser " +
                                    std::to_string(coworker->ID()) + ")"
                              : std::string("and they have no coworker record"))
                 << ".\n";
    return false;
}

void Session::SayWhichRun(bool full) {
    const auto options = Globals::Options();
    const Date outlook = options->OutlookTimestamp(), kelo = options->KeloTimestamp();
    std::ostream& out = host_->Out();
    if (full) {
        out << "Full synchronization (--full).\n";
    } else if (outlook.Year() < 2000 || kelo.Year() < 2000) {
        out << "Full synchronization: no run has completed since the time stamps were set.\n";
    } else {
        out << "Partial synchronization: Outlook items changed since " << outlook.ToString()
            << ", Kelo records changed since " << kelo.ToString() << ".\n";
    }
}

void Session::Draw(const standin::kelo::DialogPlans::Report& dialog) {
    std::ostream* progress = host_->Progress();
    if (!progress) return;
    const int percent = dialog.progress.empty() ? 0 : dialog.progress.back();
    *progress << kStartOfLine << percent << "%  " << report_.Pairs().size() - before_ << " pairs done  " << dialog.text
              << std::flush;
    drawn_ = true;
}

void WriteReport(const std::filesystem::path& file, const std::string& content) {
    try {
        AtomicFile::Replace(file, content);
    } catch (const AtomicFile::Failure& failure) {
        throw ComError(errors::InvalidProcedureCall, "ostrellix",
                       "Cannot write the report " + file.string() +
                           (failure.Where() == AtomicFile::Step::Replace ? ": " + failure.Reason() : ""));
    }
}

int Report(Host& host, const SyncReport& report, Outcome outcome, const SyncCommand::Request& request) {
    std::ostream& out = host.Out();
    const bool done = outcome == Outcome::Done;
    out << (request.dryRun ? "Dry run (on a copy of the workspace, which is gone again): " : "")
        << (done ? "synchronized" : outcome == Outcome::Cancelled ? "cancelled; nothing stored, the next run picks up"
                                                                  : "failed; nothing stored")
        << ", " << report.Pairs().size() << " pairs:\n";
    report.Print(out);
    if (host.Json()) {
        JsonLines json(*host.Json());
        for (const auto& pair : report.Pairs()) json.Write(SyncReport::Json(pair));
        json.Write({{"summary", report.Summary()}, {"dryRun", request.dryRun}, {"completed", done}});
    }
    if (request.reportFile) WriteReport(*request.reportFile, report.Document().dump(2) + "\n");
    switch (outcome) {
        case Outcome::Done: return SyncCommand::kDone;
        case Outcome::Cancelled: return SyncCommand::kCancelled;
        default: return SyncCommand::kFailed;
    }
}

}  // namespace

int SyncCommand::Run(const Host::Setup& setup, const Request& request, const Interrupted& interrupted) {
    if (request.dryRun || request.maxDeletions) {
        SyncReport preview;
        std::optional<WorkspaceCopy> copy;
        copy.emplace(setup.workspace);
        Host::Setup onCopy = setup;
        onCopy.workspace = copy->Copy();
        Session session(std::move(onCopy), interrupted, preview);
        const Outcome outcome = session.Run(request.full);
        if (outcome == Outcome::NotEnabled) return kFailed;
        Host& host = session.TheHost();
        if (request.dryRun || outcome != Outcome::Done) return Report(host, preview, outcome, request);
        const auto removals = preview.Removals();
        if (removals.size() > static_cast<std::size_t>(*request.maxDeletions)) {
            host.Out() << "Stopped: the run would unmark or delete " << removals.size() << " items, more than "
                       << *request.maxDeletions << " (--max-deletions); nothing was changed:\n";
            for (const auto& pair : removals) SyncReport::PrintRemoval(host.Out(), pair);
            return kTooManyDeletions;
        }
    }
    SyncReport report;
    Session session(setup, interrupted, report);
    const Outcome outcome = session.Run(request.full);
    if (outcome == Outcome::NotEnabled) return kFailed;
    return Report(session.TheHost(), report, outcome, request);
}

}  // namespace ostrellix::host
