// Whole synchronization runs on worlds of N synchronized pairs (see
// SyncWorld): a full run where nothing changed, and a partial run after
// `percent` % of the pairs changed on each side. Each iteration runs on a
// fresh copy of the world; copying and changing it are not timed. After
// every run the pairs it reported are checked against what the world's
// changes imply, so a faster run that does the wrong work fails.
//
//   OSTRELLIX_BENCH_WORLDS=<folder> sync_run_bench   (worlds are built once and kept)

#include <SQLiteCpp/Database.h>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/sync/SyncWorld.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/kelo/engine/Engine.h"

namespace {

using namespace ostrellix;
using addin::PairReport;
using bench::SyncWorld;

double PeakMegabytes() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// KeloID -> what the run did with its pair.
using Actions = std::map<std::string, PairReport::Action>;

struct Totals {
    standin::system::WorkCounters work;
    double pairs = 0;
    double changedPairs = 0;  // of partial runs: pairs the run is expected to write
    double kernelSeconds = 0;  // what the system spent on the run's calls (file writes, syncs), every thread
    double processSeconds = 0;  // CPU time of every thread, the stores' log copies on their own threads included
    double keloPages = 0;      // pages the Kelo data engine's commits wrote
};

double Seconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) / 1e6;
}

double KernelSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_stime);
}

double ProcessSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
}

// Pages the connection's commits wrote since the last call.
int KeloPagesWritten(sqlite3* kelo) {
    int written = 0, highest = 0;
    sqlite3_db_status(kelo, SQLITE_DBSTATUS_CACHE_WRITE, &written, &highest, 1);
    return written;
}

// One timed run on a prepared world; returns what it reported.
Actions TimedRun(benchmark::State& state, SyncWorld& world, bool full, Totals& totals) {
    Actions actions;
    bool duplicate = false;
    const Connection told = world.Sync()->Events().PairSynchronized.Connect([&](const PairReport& report) {
        duplicate |= !actions.emplace(report.keloId, report.action).second;
    });
    world.Machine().Counters().Reset();
    // Read and reset: what the Kelo data engine's commits write from here on.
    sqlite3* const kelo = world.Machine().Kelo().Data()->Db().getHandle();
    KeloPagesWritten(kelo);
    const double kernelBefore = KernelSeconds();
    const double processBefore = ProcessSeconds();
    state.ResumeTiming();
    world.Sync()->Synchronize(full);
    state.PauseTiming();
    totals.kernelSeconds += KernelSeconds() - kernelBefore;
    totals.processSeconds += ProcessSeconds() - processBefore;
    const auto& work = world.Machine().Counters();
    totals.work.messageLoads += work.messageLoads;
    totals.work.searches += work.searches;
    totals.work.folderScans += work.folderScans;
    totals.work.keysIndexed += work.keysIndexed;
    totals.work.statements += work.statements;
    totals.work.mapiOpens += work.mapiOpens;
    totals.work.storePagesWritten += work.storePagesWritten;
    totals.keloPages += static_cast<double>(KeloPagesWritten(kelo));
    totals.pairs += static_cast<double>(world.Pairs().size());
    // A pair reported twice cannot match the expected actions.
    if (duplicate) actions.emplace("(reported twice)", PairReport::Action::Skipped);
    return actions;
}

bool Check(benchmark::State& state, const Actions& actual, const Actions& expected) {
    if (actual == expected) return true;
    std::size_t wrong = 0;
    std::string first;
    const auto count = [&](const std::string& keloId, const char* expectedAction, const char* actualAction) {
        if (wrong++ == 0) first = keloId + " (expected " + expectedAction + ", got " + actualAction + ")";
    };
    const auto name = [](PairReport::Action action) { return std::string(PairReport::Name(action)); };
    for (const auto& [keloId, action] : expected) {
        const auto found = actual.find(keloId);
        if (found == actual.end()) {
            count(keloId, name(action).c_str(), "nothing");
        } else if (found->second != action) {
            count(keloId, name(action).c_str(), name(found->second).c_str());
        }
    }
    for (const auto& [keloId, action] : actual) {
        if (!expected.contains(keloId)) count(keloId, "nothing", name(action).c_str());
    }
    const std::string message = std::to_string(wrong) + " pairs handled wrongly, the first " + first;
    state.SkipWithError(message.c_str());
    return false;
}

void Report(benchmark::State& state, const Totals& totals, double peakBefore) {
    const double runs = static_cast<double>(state.iterations());
    const auto perPair = [&](std::int64_t count) { return static_cast<double>(count) / totals.pairs; };
    state.counters["statements"] = static_cast<double>(totals.work.statements) / runs;
    state.counters["searches"] = static_cast<double>(totals.work.searches) / runs;
    state.counters["scans"] = static_cast<double>(totals.work.folderScans) / runs;
    state.counters["keysIndexed"] = static_cast<double>(totals.work.keysIndexed) / runs;
    state.counters["loadsPerPair"] = perPair(totals.work.messageLoads);
    state.counters["mapiOpensPerPair"] = perPair(totals.work.mapiOpens);
    state.counters["storePages"] = static_cast<double>(totals.work.storePagesWritten) / runs;
    if (totals.changedPairs > 0) {
        state.counters["storePagesPerChange"] = static_cast<double>(totals.work.storePagesWritten) / totals.changedPairs;
        state.counters["keloPagesPerChange"] = totals.keloPages / totals.changedPairs;
    }
    state.counters["kernelMs"] = totals.kernelSeconds * 1000.0 / runs;
    state.counters["processCpuMs"] = totals.processSeconds * 1000.0 / runs;
    state.counters["peakMB"] = PeakMegabytes();
    state.counters["peakGrowthMB"] = PeakMegabytes() - peakBefore;
}

// Nothing changed since the world was synchronized: every pair is looked at, none written.
void FullRunNothingChanged(benchmark::State& state) {
    const auto pairs = static_cast<std::int32_t>(state.range(0));
    const double peakBefore = PeakMegabytes();
    Totals totals;
    for (auto _ : state) {
        state.PauseTiming();
        auto world = std::make_unique<SyncWorld>(pairs);
        Actions expected;
        for (const SyncWorld::Pair& pair : world->Pairs()) expected[pair.keloId] = PairReport::Action::Unchanged;
        if (!Check(state, TimedRun(state, *world, true, totals), expected)) break;
        world.reset();
        state.ResumeTiming();
    }
    Report(state, totals, peakBefore);
}

// `percent` % of the records and, apart from them, `percent` % of the items
// changed since the last run: only those pairs are handled.
void PartialRunAfterChanges(benchmark::State& state) {
    const auto pairs = static_cast<std::int32_t>(state.range(0));
    const int percent = static_cast<int>(state.range(1));
    const double peakBefore = PeakMegabytes();
    Totals totals;
    for (auto _ : state) {
        state.PauseTiming();
        auto owned = std::make_unique<SyncWorld>(pairs);
        SyncWorld& world = *owned;
        // The time stamps of a full run after the world was built: Kelo's
        // that of the record saved last, Outlook's a minute after the items
        // were saved (a world's items are all saved within one minute, which
        // the scan's filter, working to the minute, could not tell apart).
        const auto options = addin::Globals::Options();
        world.Machine().Clock().AdvanceSeconds(60);
        options->SetOutlookTimestamp(world.Machine().Clock().Now());
        options->SetKeloTimestamp(world.Record(world.Pairs().back())->Timestamp());
        Actions expected;
        for (const std::size_t i : world.ChangeRecords(percent)) {
            expected[world.Pairs()[i].keloId] = PairReport::Action::CopiedToOutlook;
        }
        for (const std::size_t i : world.ChangeItems(percent)) {
            expected[world.Pairs()[i].keloId] = PairReport::Action::CopiedToKelo;
        }
        totals.changedPairs += static_cast<double>(expected.size());
        if (!Check(state, TimedRun(state, world, false, totals), expected)) break;
        owned.reset();
        state.ResumeTiming();
    }
    Report(state, totals, peakBefore);
}

BENCHMARK(FullRunNothingChanged)->Arg(10000)->Arg(100000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(PartialRunAfterChanges)
    ->Args({10000, 1})
    ->Args({100000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
