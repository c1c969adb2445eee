#include "tests/faults/FaultSweep.h"

#include <algorithm>
#include <sstream>
#include <tuple>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "apps/ostrellix/WorkspaceCopy.h"
#include "standins/kelo/engine/Engine.h"
#include "runtime/ComError.h"
#include "runtime/ErrorHandling.h"
#include "tests/support/SourceTree.h"

namespace ostrellix::faults {

namespace {

// The stored synchronization time stamps, as the numbers of their dates.
std::map<std::string, double> TimeStamps(const testing::StoreDump& dump) {
    std::map<std::string, double> stamps;
    for (const auto& [name, value] : dump.settings) {
        if (name.ends_with("OutlookTimestamp") || name.ends_with("KeloTimestamp")) stamps[name] = std::stod(value);
    }
    return stamps;
}

// Whether a run stored its completion time: the run's last write.
bool Completed(const testing::StoreDump& before, const testing::StoreDump& after) {
    for (const char* name : {"Ostrellix\\LastSynchronizationTime", "Ostrellix\\LastFullSynchronizationTime"}) {
        const auto old = before.settings.find(name);
        const auto now = after.settings.find(name);
        if (now != after.settings.end() && (old == before.settings.end() || old->second != now->second)) return true;
    }
    return false;
}

// The data engine stamps the writes made at one instant of the clock a
// millisecond apart, in the order they come: a retry that has fewer
// writes left to make than a run that never failed ends on an earlier
// millisecond of the same second.
void StampToTheSecond(testing::StoreDump& dump) {
    const auto stamp = dump.settings.find("Ostrellix\\KeloTimestamp");
    if (stamp == dump.settings.end()) return;
    stamp->second = Date(std::stod(stamp->second)).ToString();
}

// The lines only one of the texts has: "-" those of `expected`, "+" the others.
std::string LineDifference(const std::string& expected, const std::string& found) {
    const auto lines = [](const std::string& text) {
        std::multiset<std::string> all;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) all.insert(line);
        return all;
    };
    const auto want = lines(expected);
    const auto got = lines(found);
    std::string difference;
    for (const auto& [from, to, sign] : {std::tuple{&want, &got, '-'}, std::tuple{&got, &want, '+'}}) {
        std::vector<std::string> only;
        std::ranges::set_difference(*from, *to, std::back_inserter(only));
        for (const std::string& line : only) difference += std::string(1, sign) + line + "\n";
    }
    return difference;
}

}  // namespace

FaultSweep::FaultSweep(const Step& seed) {
    world_ = host::Workspace::Open(temp_.Path() / "world");
    const auto host = Open(*world_);
    host->Start();
    seed(*host);
    host->Stop();
}

std::unique_ptr<host::Host> FaultSweep::Open(const host::Workspace& workspace) {
    static std::ostringstream output;
    output.str("");
    host::Host::Setup setup{workspace};
    setup.output = &output;
    setup.moduleFolder = testing::SourceTree().string();
    setup.outlookRunning = true;
    // The demo data made with a new database must not carry the real time:
    // the data engine never stamps a change earlier than the last one.
    setup.startTime = SeedTime();
    return std::make_unique<host::Host>(std::move(setup));
}

FaultSweep::Reference FaultSweep::RunClean(const Step& flow) {
    const host::WorkspaceCopy copy(*world_);
    const auto host = Open(copy.Copy());
    host::Machine& machine = host->TheMachine();
    machine.Clock().Set(FlowTime());
    host->Start();
    Reference reference;
    reference.before = testing::StoreDump::Of(machine, copy.Copy().Work());
    const std::int64_t start = machine.System().Faults().Calls();
    flow(*host);
    reference.calls = machine.System().Faults().Calls() - start;
    reference.after = testing::StoreDump::Of(machine, copy.Copy().Work());
    return reference;
}

FaultSweep::Faulted FaultSweep::RunWithFault(const Step& flow, const standin::system::FaultSwitch::Plan& plan,
                                             const Step& retry) {
    const host::WorkspaceCopy copy(*world_);
    const auto host = Open(copy.Copy());
    host::Machine& machine = host->TheMachine();
    machine.Clock().Set(FlowTime());
    host->Start();
    Faulted outcome{.call = plan.call};
    auto& faults = machine.System().Faults();
    faults.Arm(plan);
    // An error that gets past the add-in's traps ends the program's command
    // (exit status 1): the user then runs it again.
    Trap([&] { flow(*host); }, [&](const ComError& error) { outcome.escaped = error.Description(); });
    outcome.fired = faults.Fired();
    faults.Disarm();
    outcome.afterFault = testing::StoreDump::Of(machine, copy.Copy().Work());
    (retry ? retry : flow)(*host);
    outcome.afterRetry = testing::StoreDump::Of(machine, copy.Copy().Work());
    return outcome;
}

std::optional<FaultSweep::Faulted> FaultSweep::FindFault(const Step& flow, const std::string& member, std::int64_t from,
                                                         std::int64_t to,
                                                         const std::function<bool(const Faulted&)>& found,
                                                         const Step& retry) {
    const std::int64_t step = from <= to ? 1 : -1;
    for (std::int64_t k = from; k != to + step; k += step) {
        auto outcome = RunWithFault(flow, {member, k}, retry);
        if (!outcome.fired && step > 0) break;
        if (found(outcome)) return outcome;
    }
    return std::nullopt;
}

void FaultSweep::Sweep(const Step& flow, const Reference& reference, int shard, int shards, const Step& retry) {
    ::testing::Test::RecordProperty("calls", std::to_string(reference.calls));
    for (std::int64_t k = shard + 1; k <= reference.calls; k += shards) {
        Faulted outcome = RunWithFault(flow, {"", k}, retry);
        const std::string when = "call " + std::to_string(k) + " of " + std::to_string(reference.calls);
        EXPECT_TRUE(outcome.fired) << when;
        ExpectNothingLostOrDoubled(reference.before, outcome.afterFault, "after the fault at " + when);
        // Many calls of a run are made with errors ignored: a run that meets
        // its fault there goes on, completes and stores its time stamps.
        if (!Completed(reference.before, outcome.afterFault)) {
            ExpectTimeStampsKept(reference.before, reference.after, outcome.afterFault, "after the fault at " + when);
        }
        ExpectNothingLostOrDoubled(reference.before, outcome.afterRetry, "after the retry of " + when);
        if (alsoExpect) alsoExpect(outcome, when);
        testing::StoreDump expected = reference.after;
        for (testing::StoreDump* dump : {&expected, &outcome.afterRetry}) {
            StampToTheSecond(*dump);
            if (ignore) ignore(*dump);
        }
        if (forgive) forgive(expected, outcome.afterRetry);
        EXPECT_EQ(LineDifference(expected.Text(), outcome.afterRetry.Text()), "")
            << "the retry after a fault at " << when << " (-expected +found, escaped: " << outcome.escaped << ")";
    }
}

std::multiset<std::string> DocumentComments(host::Machine& machine) {
    SQLite::Database& db = machine.Kelo().Data()->Db();
    const std::string column = db.execAndGet(
        "SELECT 'rec_' || c.id || '.f' || f.id FROM kelo_field f JOIN kelo_class c ON f.class_id = c.id "
        "WHERE c.name = 'document' AND f.name = 'comment'").getString();
    const std::string table = column.substr(0, column.find('.'));
    SQLite::Statement comments(db, "SELECT " + column.substr(column.find('.') + 1) + " FROM " + table);
    std::multiset<std::string> found;
    while (comments.executeStep()) found.insert(comments.getColumn(0).getString());
    return found;
}

std::string LineWith(const std::vector<std::string>& lines, const std::string& part) {
    const auto line =
        std::ranges::find_if(lines, [&](const std::string& l) { return l.find(part) != std::string::npos; });
    return line == lines.end() ? "" : *line;
}

std::string WithoutFields(const std::string& line, std::initializer_list<std::string_view> names) {
    std::string kept;
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find('|', start), line.size());
        const std::string_view part = std::string_view(line).substr(start, end - start);
        if (std::ranges::none_of(names, [&](std::string_view name) { return part.starts_with(name); })) {
            kept += (kept.empty() ? "" : "|") + std::string(part);
        }
        start = end + 1;
    }
    return kept;
}

void ExpectNothingLostOrDoubled(const testing::StoreDump& before, const testing::StoreDump& after,
                                const std::string& when) {
    for (const std::string& record : before.records) EXPECT_TRUE(after.records.contains(record)) << record << " " << when;
    for (const std::string& keloId : after.keloIds) {
        EXPECT_EQ(after.keloIds.count(keloId), 1u) << keloId << " on several items " << when;
    }
}

void ExpectTimeStampsKept(const testing::StoreDump& before, const testing::StoreDump& completed,
                          const testing::StoreDump& after, const std::string& when) {
    const auto stampsBefore = TimeStamps(before);
    const auto stampsCompleted = TimeStamps(completed);
    for (const auto& [name, value] : TimeStamps(after)) {
        const auto old = stampsBefore.find(name);
        const auto done = stampsCompleted.find(name);
        const bool kept = old != stampsBefore.end() && value <= old->second;
        const bool ofTheLoop = done != stampsCompleted.end() && Date(value).ToString() == Date(done->second).ToString();
        EXPECT_TRUE(kept || ofTheLoop) << name << " advanced " << when;
    }
}

}  // namespace ostrellix::faults
