#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "apps/ostrellix/Host.h"
#include "apps/ostrellix/Workspace.h"
#include "runtime/Date.h"
#include "standins/system/FaultSwitch.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/StoreDump.h"

namespace ostrellix::faults {

// One flow of the add-in on a seeded workspace, run once without faults
// and then once per call it makes into the platform with that call failed,
// each time followed by the same flow without faults. The workspace is
// seeded once; every run works on its own copy of it, with Outlook running
// and the clock at the same time, so that runs that end alike store alike.
class FaultSweep {
public:
    using Step = std::function<void(host::Host&)>;

    // `seed` makes the workspace's content on a started host.
    explicit FaultSweep(const Step& seed);

    // What a run of `flow` without faults leaves, and how many calls it makes.
    struct Reference {
        testing::StoreDump before;
        testing::StoreDump after;
        std::int64_t calls = 0;
    };
    Reference RunClean(const Step& flow);

    // The flow with the planned call failed, then again without faults.
    struct Faulted {
        std::int64_t call = 0;  // the planned one
        bool fired = false;
        std::string escaped;  // the error that reached the flow's caller, if one did
        testing::StoreDump afterFault;
        testing::StoreDump afterRetry;
    };
    // `retry` is what the user does next; the flow again when not given.
    Faulted RunWithFault(const Step& flow, const standin::system::FaultSwitch::Plan& plan, const Step& retry = {});
    // The first fault at `member`'s calls `from` to `to` (counting down when
    // `to` is smaller) whose outcome `found` accepts. Counting up, the search
    // ends at the first call the flow does not make: where a call goes moves
    // whenever the flow gains or loses a platform call, so the tests of a
    // named fault look for it rather than name its number.
    std::optional<Faulted> FindFault(const Step& flow, const std::string& member, std::int64_t from, std::int64_t to,
                                     const std::function<bool(const Faulted&)>& found, const Step& retry = {});
    // A `to` that lets the search go on for as long as the flow makes calls.
    static constexpr std::int64_t kLastCall = std::numeric_limits<std::int64_t>::max() - 1;

    // What the comparison with the reference leaves out of both dumps
    // (what a flow may leave behind after a fault, shown by its own test).
    std::function<void(testing::StoreDump&)> ignore;
    // What a fault is known to lose, shown by its own test: given the dump
    // expected and the one found after a retry, takes what the found one
    // shows lost out of both.
    std::function<void(testing::StoreDump& expected, testing::StoreDump& found)> forgive;
    // What a flow checks besides, after each fault and its retry.
    std::function<void(const Faulted&, const std::string& when)> alsoExpect;

    // Checks every k of the shard's share (k = shard+1, shard+1+shards ...)
    // against the reference with the properties that hold for every flow.
    void Sweep(const Step& flow, const Reference& reference, int shard, int shards, const Step& retry = {});

    // The time the world is seeded at, and the time every run of a flow happens at.
    static Date SeedTime() { return Date::FromParts(2024, 5, 1, 9); }
    static Date FlowTime() { return Date::FromParts(2024, 5, 1, 11); }

private:
    std::unique_ptr<host::Host> Open(const host::Workspace& workspace);

    testing::TempDirectory temp_;
    std::optional<host::Workspace> world_;
};

// The comments of the Kelo document records (a filed mail's subject), read
// beside the data engine so that reading them makes no call the fault
// switch counts.
std::multiset<std::string> DocumentComments(host::Machine& machine);

// The first of the lines that holds `part`; empty when none does.
std::string LineWith(const std::vector<std::string>& lines, const std::string& part);
// A record line without the fields whose "name=" starts with one of `names`.
std::string WithoutFields(const std::string& line, std::initializer_list<std::string_view> names);

// No record that was there before is lost, and no KeloID is on two items.
void ExpectNothingLostOrDoubled(const testing::StoreDump& before, const testing::StoreDump& after,
                                const std::string& when);
// No stored synchronization time stamp is later than before a failed run,
// but for what a run that never failed stores (`completed`): the time
// stamps are stored when the pairing loop is done, before the completion
// time, so a run that fails on the completion time keeps them.
void ExpectTimeStampsKept(const testing::StoreDump& before, const testing::StoreDump& completed,
                          const testing::StoreDump& after, const std::string& when);

}  // namespace ostrellix::faults
