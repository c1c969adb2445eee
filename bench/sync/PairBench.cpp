// The per-pair building blocks of a synchronization run on a world of N
// synchronized pairs (see SyncWorld): the checksum comparison that decides
// which side of an unchanged pair changed, finding a record's Outlook item
// by its marks, and opening a marked item through the MAPI library. Each
// reports the stand-ins' work per pair next to its time; pairs are taken
// in turn, so the store's caches see a run's access pattern.
//
//   OSTRELLIX_BENCH_WORLDS=<folder> sync_pair_bench   (worlds are built once and kept)

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/sync/SyncWorld.h"
#include "contracts/mapi/ISession.h"
#include "core/Globals.h"

namespace {

using namespace ostrellix;
using bench::SyncWorld;

// One world at a time: the add-in's module state is process-wide. It is
// kept from one benchmark to the next and let go in main, while the add-in's
// module state still exists: at exit it would be unloaded from a module
// already destroyed.
std::unique_ptr<SyncWorld> cachedWorld;

SyncWorld& World(benchmark::State& state) {
    const auto pairs = static_cast<std::size_t>(state.range(0));
    if (!cachedWorld || cachedWorld->Pairs().size() != pairs) {
        cachedWorld.reset();
        cachedWorld = std::make_unique<SyncWorld>(static_cast<std::int32_t>(pairs));
    }
    return *cachedWorld;
}

void ReportPerPair(benchmark::State& state, const standin::system::WorkCounters& counters) {
    const auto perPair = [](std::int64_t count) {
        return benchmark::Counter(static_cast<double>(count), benchmark::Counter::kAvgIterations);
    };
    state.counters["loads"] = perPair(counters.messageLoads);
    state.counters["searches"] = perPair(counters.searches);
    state.counters["scans"] = perPair(counters.folderScans);
    state.counters["statements"] = perPair(counters.statements);
    state.counters["mapiOpens"] = perPair(counters.mapiOpens);
}

// Opening both sides and the decision on a pair where nothing changed (nothing is written).
void PairChecksumComparison(benchmark::State& state) {
    SyncWorld& world = World(state);
    auto& counters = world.Machine().Counters();
    counters.Reset();
    std::size_t next = 0;
    for (auto _ : state) {
        const SyncWorld::Pair& pair = world.Pairs()[next++ % world.Pairs().size()];
        world.Sync()->SynchronizeItemWithRecord(world.Item(pair), world.Record(pair));
    }
    ReportPerPair(state, counters);
}

// Loading the record and finding its item (to-dos without an appointment look in the tasks folder too).
void FindItemFromRecord(benchmark::State& state) {
    SyncWorld& world = World(state);
    auto& counters = world.Machine().Counters();
    counters.Reset();
    std::size_t next = 0;
    for (auto _ : state) {
        const SyncWorld::Pair& pair = world.Pairs()[next++ % world.Pairs().size()];
        const auto item = world.Sync()->FindItemFromRecord(world.Record(pair));
        if (!item) state.SkipWithError("a marked item was not found");
    }
    ReportPerPair(state, counters);
}

void OpenMarkedItemThroughMapi(benchmark::State& state) {
    SyncWorld& world = World(state);
    const auto session = addin::Globals::Redemption();
    auto& counters = world.Machine().Counters();
    counters.Reset();
    std::size_t next = 0;
    for (auto _ : state) {
        const SyncWorld::Pair& pair = world.Pairs()[next++ % world.Pairs().size()];
        benchmark::DoNotOptimize(session->GetMessageFromID(pair.entryId));
    }
    ReportPerPair(state, counters);
}

BENCHMARK(PairChecksumComparison)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindItemFromRecord)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenMarkedItemThroughMapi)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    cachedWorld.reset();
    return 0;
}
