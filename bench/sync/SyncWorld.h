#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/ostrellix/Machine.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IItem.h"
#include "sync/Synchronizer.h"

namespace ostrellix::bench {

// A workspace as a completed synchronization leaves it, at any size: N
// pairs of a Kelo record and a marked Outlook item ("KeloID",
// "KeloDatabase", "KeloChecksum"), a third each appointments, tasks and
// contacts, made with the add-in's own Synchronizer members; the Kelo
// user's coworker is the synchronization user, all three kinds are
// synchronized and the to-dos are that coworker's, so every pair is valid.
//
// Building 100,000 pairs takes a while, so a built world is kept under
// WorldsFolder() (one folder per size and format, renamed into place once complete)
// and each SyncWorld works on a fresh copy of it, which it removes again.
// The add-in is loaded (OnConnection) on the copy but the client is not
// started, and the world reaches Outlook on its own rather than through the
// add-in's connection: the add-in's listeners come with that connection,
// which only the timed work makes, so none carries the benchmark's own
// changes across before a run (as when Outlook was changed with Kelo closed).
//
// The add-in's module state is process-wide: only one SyncWorld may live
// at a time.
class SyncWorld {
public:
    enum class Kind { Appointment, Task, Contact };
    struct Pair {
        Kind kind;
        std::string keloId;   // class name ":" id
        std::int32_t recordId;
        std::string entryId;
    };

    explicit SyncWorld(std::int32_t pairs);
    ~SyncWorld();
    SyncWorld(const SyncWorld&) = delete;
    SyncWorld& operator=(const SyncWorld&) = delete;

    host::Machine& Machine() { return *machine_; }
    const Ptr<addin::Synchronizer>& Sync() const { return sync_; }
    const std::vector<Pair>& Pairs() const { return pairs_; }
    Ptr<kelo::IRecord> Record(const Pair& pair);
    Ptr<outlook::IItem> Item(const Pair& pair);

    // Changes one side of `percent` % of the pairs, spread over all of
    // them, a minute of the machine's clock after the last change: records
    // of pairs whose index modulo 100 is below `percent`, items of pairs
    // whose index plus 50 modulo 100 is (so the two sets are apart up to
    // 50 %). Returns the indexes changed.
    std::vector<std::size_t> ChangeRecords(int percent);
    std::vector<std::size_t> ChangeItems(int percent);

    // $OSTRELLIX_BENCH_WORLDS, else "ostrellix-sync-worlds" in the temporary folder.
    static std::filesystem::path WorldsFolder();

private:
    static std::filesystem::path Built(std::int32_t pairs);
    static void Build(const std::filesystem::path& folder, std::int32_t pairs);
    static std::unique_ptr<host::Machine> Open(const std::filesystem::path& folder);
    template <class Step>
    void InBatches(const std::vector<std::size_t>& indexes, Step step);

    std::filesystem::path folder_;
    std::unique_ptr<host::Machine> machine_;
    Ptr<outlook::IApplication> outlook_;
    Ptr<addin::Synchronizer> sync_;
    std::vector<Pair> pairs_;
    int changes_ = 0;
};

}  // namespace ostrellix::bench
