#include <gtest/gtest.h>

#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/kelo/IUser.h"
#include "contracts/outlook/IItem.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "sync/Synchronizer.h"
#include "tests/faults/FaultSweep.h"

namespace ostrellix::faults {
namespace {

using addin::Globals;

constexpr int kPairsPerKind = 5;
constexpr int kShards = 6;

Ptr<kelo::IRecord> NewRecord(const char* className, std::initializer_list<std::pair<const char*, Variant>> values) {
    const auto application = Globals::Application();
    auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    record->New(application->Classes()->FindByName(className));
    for (const auto& [field, value] : values) record->SetValue(field, value);
    record->Update();
    return record;
}

// Appointments, tasks and contacts paired with Anna's to-dos and persons and
// synchronized once; then, with the add-in not listening, a third of them
// changed in Kelo, a third in Outlook, and one of each kind deleted on
// either side or given to a colleague.
void SeedPairs(host::Host& host) {
    const auto application = Globals::Application();
    const auto options = Globals::Options();
    const auto sync = Globals::Synchronizer();
    const std::int32_t me = application->FindUser("Anna Lindqvist")->Record()->ID();
    const std::int32_t colleague = application->FindUser("Erik Holm")->Record()->ID();
    options->SetSynchronizationUser(me);
    options->SetSynchronizeContacts(true);

    std::vector<std::pair<Ptr<kelo::IRecord>, Ptr<outlook::IItem>>> pairs;
    const Date start = Date::FromParts(2024, 5, 6, 9);
    for (int i = 0; i < kPairsPerKind; ++i) {
        const std::string n = std::to_string(i);
        for (auto record : {NewRecord("todo", {{"subject", Variant("Meeting " + n)}, {"start", start.AddDays(i)},
                                               {"end", start.AddDays(i).AddSeconds(3600)}, {"responsible", Variant(me)}}),
                            NewRecord("todo", {{"subject", Variant("Task " + n)}, {"start", start.AddDays(i)},
                                               {"responsible", Variant(me)}}),
                            NewRecord("person", {{"firstname", Variant("Pat")}, {"lastname", Variant("Pair " + n)},
                                                 {"email", Variant("pat" + n + "@pairs.example")}})}) {
            auto item = sync->CreateItemFromRecord(record);
            sync->UpdateItemFromRecord(item, record);
            item->Save();
            sync->EnableSynchronization(item, record);
            pairs.emplace_back(record, item);
        }
    }
    sync->SynchronizeWithWorkdialog(true);

    Globals::SetAddin(nullptr);
    Globals::DisconnectOutlookAndRedemption();
    host.TheMachine().Clock().AdvanceSeconds(3600);
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const auto& [record, item] = pairs[i];
        const std::size_t pair = i / 3;
        if (pair < 3) {
            const auto stored = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
            stored->Load(record->Class(), record->ID());
            stored->SetValue(record->Class()->Name() == "person" ? "jobtitle" : "notes", Variant("changed in Kelo"));
            stored->Update();
        } else if (pair < 6) {
            const auto reopened = host.TheMachine().Outlook().Running()->Session()->GetItemFromID(item->EntryID());
            reopened->SetBody("changed in Outlook");
            reopened->Save();
        } else if (pair == 6 && i % 3 == 0) {
            const auto stored = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
            stored->Load(record->Class(), record->ID());
            stored->SetValue("responsible", Variant(colleague));
            stored->Update();
        } else if (pair == 6) {
            host.TheMachine().KeloUser().DeleteRecord(record->Class()->Name(), record->ID());
        } else if (pair == 7) {
            host.TheMachine().Outlook().Running()->Session()->GetItemFromID(item->EntryID())->Delete();
        }
    }
}

class SynchronizationFaultTest : public ::testing::TestWithParam<int> {
protected:
    // The add-in's start-up synchronization meets the seeded changes once,
    // when the workspace is started again after seeding; it is then turned
    // off, so that starting each run's copy does not repeat it and the run
    // under test starts where every copy starts.
    static FaultSweep& World() {
        static FaultSweep sweep(SeedPairs, {[](host::Host&) { Globals::Options()->SetSynchronizeAtStartup(false); }});
        return sweep;
    }
};

const FaultSweep::Step kFullRun = [](host::Host&) { Globals::Synchronizer()->SynchronizeWithWorkdialog(true); };
const FaultSweep::Step kPartialRun = [](host::Host&) { Globals::Synchronizer()->SynchronizeWithWorkdialog(false); };

TEST_P(SynchronizationFaultTest, AFaultAtAnyCallOfAFullRunLosesNothingAndTheNextRunFinishesIt) {
    const auto reference = World().RunClean(kFullRun);
    ASSERT_GT(reference.calls, 0);
    World().Sweep(kFullRun, reference, GetParam(), kShards);
}

TEST_P(SynchronizationFaultTest, AFaultAtAnyCallOfAPartialRunLosesNothingAndTheNextRunFinishesIt) {
    const auto reference = World().RunClean(kPartialRun);
    ASSERT_GT(reference.calls, 0);
    World().Sweep(kPartialRun, reference, GetParam(), kShards);
}

INSTANTIATE_TEST_SUITE_P(Shards, SynchronizationFaultTest, ::testing::Range(0, kShards));

}  // namespace
}  // namespace ostrellix::faults
