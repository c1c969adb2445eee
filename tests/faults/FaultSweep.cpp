#include "tests/faults/FaultSweep.h"

#include <sstream>

#include "apps/ostrellix/WorkspaceCopy.h"
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

}  // namespace

FaultSweep::FaultSweep(const Step& seed) {
    world_ = host::Workspace::Open(temp_.Path() / "world");
    const auto host = Open(*world_);
    host->TheMachine().Clock().Set(Date::FromParts(2024, 5, 1, 9));
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

FaultSweep::Faulted FaultSweep::RunWithFault(const Step& flow, const standin::system::FaultSwitch::Plan& plan) {
    const host::WorkspaceCopy copy(*world_);
    const auto host = Open(copy.Copy());
    host::Machine& machine = host->TheMachine();
    machine.Clock().Set(FlowTime());
    host->Start();
    Faulted outcome;
    auto& faults = machine.System().Faults();
    faults.Arm(plan);
    // An error that gets past the add-in's traps ends the program's command
    // (exit status 1): the user then runs it again.
    Trap([&] { flow(*host); }, [&](const ComError& error) { outcome.escaped = error.Description(); });
    outcome.fired = faults.Fired();
    faults.Disarm();
    outcome.afterFault = testing::StoreDump::Of(machine, copy.Copy().Work());
    flow(*host);
    outcome.afterRetry = testing::StoreDump::Of(machine, copy.Copy().Work());
    return outcome;
}

void FaultSweep::Sweep(const Step& flow, const Reference& reference, int shard, int shards) {
    ::testing::Test::RecordProperty("calls", std::to_string(reference.calls));
    for (std::int64_t k = shard + 1; k <= reference.calls; k += shards) {
        Faulted outcome = RunWithFault(flow, {"", k});
        const std::string when = "call " + std::to_string(k) + " of " + std::to_string(reference.calls);
        EXPECT_TRUE(outcome.fired) << when;
        ExpectNothingLostOrDoubled(reference.before, outcome.afterFault, "after the fault at " + when);
        ExpectTimeStampsKept(reference.before, outcome.afterFault, "after the fault at " + when);
        ExpectNothingLostOrDoubled(reference.before, outcome.afterRetry, "after the retry of " + when);
        testing::StoreDump expected = reference.after;
        if (ignore) {
            ignore(outcome.afterRetry);
            ignore(expected);
        }
        EXPECT_EQ(outcome.afterRetry.Text(), expected.Text()) << "the retry after a fault at " << when;
    }
}

void ExpectNothingLostOrDoubled(const testing::StoreDump& before, const testing::StoreDump& after,
                                const std::string& when) {
    for (const std::string& record : before.records) EXPECT_TRUE(after.records.contains(record)) << record << " " << when;
    for (const std::string& keloId : after.keloIds) {
        EXPECT_EQ(after.keloIds.count(keloId), 1u) << keloId << " on several items " << when;
    }
}

void ExpectTimeStampsKept(const testing::StoreDump& before, const testing::StoreDump& after, const std::string& when) {
    const auto stampsBefore = TimeStamps(before);
    for (const auto& [name, value] : TimeStamps(after)) {
        const auto old = stampsBefore.find(name);
        EXPECT_TRUE(old != stampsBefore.end() && value <= old->second) << name << " advanced " << when;
    }
}

}  // namespace ostrellix::faults
