#include "bench/sync/SyncWorld.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <random>

#include "contracts/kelo/IApplication.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/kelo/engine/Engine.h"
#include "tests/support/SourceTree.h"

namespace ostrellix::bench {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPairsFile = "pairs.tsv";
// Goes up when the stand-ins' files or what Build does change, so that
// worlds an older build kept are built again rather than converted.
constexpr int kWorldFormat = 4;
// Pairs per transaction: large enough that commits do not count, small
// enough that the store's pending change notices stay small.
constexpr std::size_t kBatch = 2000;

Ptr<kelo::IRecord> NewRecord(addin::Synchronizer& sync, SyncWorld::Kind kind, std::int32_t n, std::int32_t coworker) {
    const std::string number = std::to_string(n);
    // Spread over a year of working hours, so that items differ as real ones do.
    const Date start = Date::FromParts(2024, 1, 1, 8).AddSeconds(3600.0 * (n % 8) + 86400.0 * (n / 8 % 365));
    Ptr<kelo::IRecord> record;
    switch (kind) {
        case SyncWorld::Kind::Appointment:
            record = sync.CreateAppointmentRecord();
            record->SetValue("subject", "Meeting " + number + " on the spring order");
            record->SetValue("start", start);
            record->SetValue("end", start.AddSeconds(3600));
            record->SetValue("location", "Room " + std::to_string(n % 40));
            record->SetValue("notes", "Agenda: prices, delivery dates and the contract of order " + number + ".");
            record->SetValue("responsible", coworker);
            break;
        case SyncWorld::Kind::Task:
            record = sync.CreateTaskRecord();
            record->SetValue("subject", "Call back about order " + number);
            record->SetValue("start", start);
            record->SetValue("notes", "Ask for the signed delivery note of order " + number + ".");
            record->SetValue("responsible", coworker);
            break;
        case SyncWorld::Kind::Contact:
            record = sync.CreatePersonRecord();
            record->SetValue("firstname", "First" + number);
            record->SetValue("lastname", "Last" + number);
            record->SetValue("email", "person" + number + "@company" + std::to_string(n / 10) + ".example");
            record->SetValue("phone", "+46 8 555 " + std::to_string(100000 + n));
            record->SetValue("jobtitle", "Buyer");
            break;
    }
    record->Update();
    return record;
}

void WritePairs(const fs::path& file, const std::vector<SyncWorld::Pair>& pairs) {
    std::ofstream out(file, std::ios::binary);
    for (const SyncWorld::Pair& pair : pairs) {
        out << static_cast<int>(pair.kind) << '\t' << pair.keloId << '\t' << pair.recordId << '\t' << pair.entryId
            << '\n';
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

std::vector<SyncWorld::Pair> ReadPairs(const fs::path& file) {
    std::vector<SyncWorld::Pair> pairs;
    std::ifstream in(file, std::ios::binary);
    int kind = 0;
    SyncWorld::Pair pair;
    while (in >> kind >> pair.keloId >> pair.recordId >> pair.entryId) {
        pair.kind = static_cast<SyncWorld::Kind>(kind);
        pairs.push_back(pair);
    }
    return pairs;
}

fs::path FreshFolder(const fs::path& parent, const std::string& stem) {
    return parent / (stem + "-" + std::to_string(::getpid()) + "-" + std::to_string(std::random_device()()));
}

}  // namespace

fs::path SyncWorld::WorldsFolder() {
    const char* folder = std::getenv("OSTRELLIX_BENCH_WORLDS");
    return folder && *folder ? fs::path(folder) : fs::temp_directory_path() / "ostrellix-sync-worlds";
}

std::unique_ptr<host::Machine> SyncWorld::Open(const fs::path& folder) {
    // The layout of a host workspace, so that the host program can open a world too.
    host::Machine::Setup setup;
    setup.configDirectory = folder / "config";
    setup.workingFolder = folder / "work";
    setup.keloDatabase = (folder / "kelo.db").string();
    setup.outlookStore = (folder / "outlook.store").string();
    setup.moduleFolder = testing::SourceTree().string();
    auto machine = std::make_unique<host::Machine>(std::move(setup));
    machine->StartOutlook();
    machine->LoadAddin();
    return machine;
}

void SyncWorld::Build(const fs::path& folder, std::int32_t count) {
    const auto machine = Open(folder);
    const auto application = addin::Globals::Application();
    const auto options = addin::Globals::Options();
    const std::int32_t coworker = application->ActiveUser()->Record()->ID();
    options->SetSynchronizationUser(coworker);
    options->SetSynchronizeAppointments(true);
    options->SetSynchronizeTasks(true);
    options->SetSynchronizeContacts(true);
    options->SetOriginalServerName(application->Database()->Server());
    options->SetOriginalDatabaseName(application->Database()->Name());

    const auto sync = addin::Globals::Synchronizer();
    standin::kelo::Engine& engine = *machine->Kelo().Data();
    standin::outlook::MessageStore& store = machine->OutlookProfile().Store();
    std::vector<Pair> pairs;
    pairs.reserve(static_cast<std::size_t>(count));
    for (std::int32_t first = 0; first < count; first += static_cast<std::int32_t>(kBatch)) {
        const std::int32_t last = std::min(count, first + static_cast<std::int32_t>(kBatch));
        engine.Transact([&] {
            standin::outlook::StoreTransaction transaction(store);
            for (std::int32_t n = first; n < last; ++n) {
                const auto kind = static_cast<Kind>(n % 3);
                const auto record = NewRecord(*sync, kind, n, coworker);
                const auto item = sync->CreateItemFromRecord(record);
                sync->UpdateItemFromRecord(item, record);
                sync->EnableSynchronization(item, record);
                pairs.push_back({kind, record->Class()->Name() + ":" + std::to_string(record->ID()), record->ID(),
                                 item->EntryID()});
            }
            transaction.Commit();
        });
    }
    // As the first runs leave a world: among other things, the store has
    // indexed the keys the filters of full and partial runs ask for.
    sync->Synchronize(true);
    sync->Synchronize(false);
    WritePairs(folder / kPairsFile, pairs);
}

fs::path SyncWorld::Built(std::int32_t pairs) {
    const fs::path world = WorldsFolder() / ("pairs-" + std::to_string(pairs) + "-" + std::to_string(kWorldFormat));
    if (fs::exists(world / kPairsFile)) return world;
    fs::create_directories(WorldsFolder());
    const fs::path building = FreshFolder(WorldsFolder(), "building");
    const auto start = std::chrono::steady_clock::now();
    Build(building, pairs);
    std::clog << "Built a world of " << pairs << " synchronized pairs in "
              << std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() << " s ("
              << world.string() << ")\n";
    // Only a complete world gets the name; another process may have won the race.
    std::error_code raced;
    fs::rename(building, world, raced);
    if (raced) fs::remove_all(building);
    return world;
}

SyncWorld::SyncWorld(std::int32_t pairs) {
    const fs::path built = Built(pairs);
    folder_ = FreshFolder(fs::temp_directory_path(), "ostrellix-sync-world");
    fs::copy(built, folder_, fs::copy_options::recursive);
    pairs_ = ReadPairs(folder_ / kPairsFile);
    machine_ = Open(folder_);
    outlook_ = machine_->Outlook().Running();
    sync_ = addin::Globals::Synchronizer();
}

SyncWorld::~SyncWorld() {
    sync_.reset();
    outlook_.reset();
    machine_.reset();
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
}

Ptr<kelo::IRecord> SyncWorld::Record(const Pair& pair) {
    const auto application = addin::Globals::Application();
    auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    const std::string className = pair.keloId.substr(0, pair.keloId.find(':'));
    record->Load(application->Classes()->FindByName(className), pair.recordId);
    return record;
}

Ptr<outlook::IItem> SyncWorld::Item(const Pair& pair) {
    return outlook_->Session()->GetItemFromID(pair.entryId);
}

template <class Step>
void SyncWorld::InBatches(const std::vector<std::size_t>& indexes, Step step) {
    machine_->Clock().AdvanceSeconds(60);
    ++changes_;
    standin::kelo::Engine& engine = *machine_->Kelo().Data();
    standin::outlook::MessageStore& store = machine_->OutlookProfile().Store();
    for (std::size_t first = 0; first < indexes.size(); first += kBatch) {
        engine.Transact([&] {
            standin::outlook::StoreTransaction transaction(store);
            for (std::size_t at = first; at < std::min(indexes.size(), first + kBatch); ++at) {
                step(pairs_[indexes[at]]);
            }
            transaction.Commit();
        });
    }
}

std::vector<std::size_t> SyncWorld::ChangeRecords(int percent) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        if (static_cast<int>(i % 100) < percent) changed.push_back(i);
    }
    InBatches(changed, [&](const Pair& pair) {
        const auto record = Record(pair);
        const char* field = pair.kind == Kind::Contact ? "jobtitle" : "notes";
        record->SetValue(field, record->Text(field) + " (change " + std::to_string(changes_) + ")");
        record->Update();
    });
    return changed;
}

std::vector<std::size_t> SyncWorld::ChangeItems(int percent) {
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < pairs_.size(); ++i) {
        if (static_cast<int>((i + 50) % 100) < percent) changed.push_back(i);
    }
    InBatches(changed, [&](const Pair& pair) {
        const auto item = Item(pair);
        item->SetBody(item->Body() + "\r\nChanged in Outlook (" + std::to_string(changes_) + ").");
        item->Save();
    });
    return changed;
}

}  // namespace ostrellix::bench
