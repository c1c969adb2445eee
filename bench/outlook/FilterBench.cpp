// Find and Restrict in a calendar of 10,000 synchronized appointments,
// against reading every item as a search without the index would.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "runtime/ClassFactory.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Application.h"
#include "standins/outlook/Instance.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/OutlookProperty.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/system/ManualClock.h"
#include "standins/system/System.h"

namespace {

using namespace ostrellix;
namespace ol = ::ostrellix::outlook;
namespace so = ::ostrellix::standin::outlook;
namespace message = ::ostrellix::standin::message;
namespace system = ::ostrellix::standin::system;

constexpr int kAppointments = 10000;
// Items changed after this time: the last 100 (the n-th is stored n minutes after 08:00).
Date Stamp() { return Date::FromParts(2024, 5, 1, 8, 0).AddSeconds(60.0 * (kAppointments - 100)); }

struct Calendar {
    std::filesystem::path directory =
        std::filesystem::temp_directory_path() / ("ostrellix-bench-filter-" + std::to_string(std::random_device{}()));
    ClassFactory factory;
    system::ManualClock clock{Date::FromParts(2024, 5, 1, 8, 0)};
    std::unique_ptr<system::System> machine;
    so::Profile profile;
    Ptr<so::Instance> instance;
    Ptr<ol::IApplication> application;
    Ptr<ol::IItems> items;

    static so::ProfileSetup Setup() {
        so::ProfileSetup setup;
        setup.storePath = so::StoreDatabase::kInMemory;
        setup.user = {"Anna Berg", "anna.berg@ostrellix.example"};
        return setup;
    }

    static system::System::Setup MachineSetup(const std::filesystem::path& directory) {
        system::System::Setup setup;
        setup.configDirectory = directory / "config";
        return setup;
    }

    Calendar() : machine(std::make_unique<system::System>(factory, MachineSetup(directory))), profile(Setup(), clock) {
        so::MessageStore& store = profile.Store();
        const std::string folder = store.DefaultFolder(profile.Mailbox(), ol::olFolderCalendar).entryId;
        so::StoreTransaction transaction(store);
        for (int i = 0; i < kAppointments; ++i) {
            message::MessageData data;
            data.properties.Set(message::tag::PR_MESSAGE_CLASS, Variant("IPM.Appointment"));
            data.properties.Set(message::tag::PR_SUBJECT, Variant("Appointment " + std::to_string(i)));
            so::OutlookProperty::Get("Start").location.Write(data.properties,
                                                             Variant(Date::FromParts(2024, 6, 1).AddDays(i % 365)));
            auto user = [&](const char* name, std::string value) {
                data.properties.SetNamed(so::mapi::UserPropertyName(name),
                                         {message::pt::Unicode, Variant(std::move(value))});
            };
            user("KeloID", "person:" + std::to_string(i));
            user("KeloDatabase", "srv.db");
            user("KeloChecksum", std::to_string(i * 7919) + ":" + std::to_string(i * 104729));
            clock.AdvanceSeconds(60);
            store.Create(folder, store.NewEntryId(folder), data);
        }
        transaction.Commit();
        instance = std::make_shared<so::Instance>(profile, nullptr, *machine);
        application = std::make_shared<so::Application>(instance);
        items = application->Session()->GetDefaultFolder(ol::olFolderCalendar)->Items();
    }
    ~Calendar() { std::filesystem::remove_all(directory); }
};

Calendar& TheCalendar() {
    static Calendar calendar;
    return calendar;
}

void BM_FindByUserProperty(benchmark::State& state) {
    Calendar& calendar = TheCalendar();
    int i = 0;
    for (auto _ : state) {
        const std::string id = "person:" + std::to_string(i++ * 37 % kAppointments);
        auto item = calendar.items->Find("[KeloID] = '" + id + "' AND [KeloDatabase] = 'srv.db'");
        if (!item) state.SkipWithError("not found");
        benchmark::DoNotOptimize(item);
    }
}
BENCHMARK(BM_FindByUserProperty)->Unit(benchmark::kMicrosecond);

void BM_RestrictOnLastModificationTime(benchmark::State& state) {
    Calendar& calendar = TheCalendar();
    const std::string filter = "[KeloID] <> '' AND [KeloDatabase] = 'srv.db' and [LastModificationTime] > '" +
                               Stamp().ToString().substr(0, 16) + "'";
    for (auto _ : state) {
        auto changed = calendar.items->Restrict(filter);
        if (changed->Count() != 100) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_RestrictOnLastModificationTime)->Unit(benchmark::kMicrosecond);

void BM_RestrictAllMarked(benchmark::State& state) {
    Calendar& calendar = TheCalendar();
    for (auto _ : state) {
        auto marked = calendar.items->Restrict("[KeloID] <> '' AND [KeloDatabase] = 'srv.db'");
        if (marked->Count() != kAppointments) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_RestrictAllMarked)->Unit(benchmark::kMillisecond);

// What Find would cost without the index: every item read and its user property looked at.
void BM_FullScanForOneUserProperty(benchmark::State& state) {
    Calendar& calendar = TheCalendar();
    const std::string wanted = "person:" + std::to_string(kAppointments - 1);
    for (auto _ : state) {
        Ptr<ol::IItem> found;
        const std::int32_t count = calendar.items->Count();
        for (std::int32_t i = 1; i <= count && !found; ++i) {
            auto item = calendar.items->Item(i);
            if (item->UserProperties()->Find("KeloID")->Value().ToString() == wanted) found = item;
        }
        if (!found) state.SkipWithError("not found");
    }
}
BENCHMARK(BM_FullScanForOneUserProperty)->Unit(benchmark::kMillisecond);

}  // namespace
