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

constexpr int kShards = 6;

// What happens to a pair after the last run, with the add-in not listening.
enum class Change { InKelo, InOutlook, DeletedInKelo, GivenToAColleague, DeletedInOutlook, None };
constexpr Change kChanges[] = {Change::InKelo,           Change::InOutlook,        Change::DeletedInKelo,
                               Change::GivenToAColleague, Change::DeletedInOutlook, Change::None};

Ptr<kelo::IRecord> NewRecord(const char* className, std::initializer_list<std::pair<const char*, Variant>> values) {
    const auto application = Globals::Application();
    auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    record->New(application->Classes()->FindByName(className));
    for (const auto& [field, value] : values) record->SetValue(field, value);
    record->Update();
    return record;
}

void ChangeStoredRecord(const Ptr<kelo::IRecord>& record, const char* field, const Variant& value) {
    const auto stored = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    stored->Load(record->Class(), record->ID());
    stored->SetValue(field, value);
    stored->Update();
}

// One appointment, task and contact per change, paired with Anna's to-dos
// and persons and synchronized once; then, an hour later and with the add-in
// not listening, each pair changed as its change says. A person has no
// responsible coworker: its pair for a colleague stays unchanged.
void SeedPairs(host::Host& host) {
    const auto application = Globals::Application();
    const auto options = Globals::Options();
    const auto sync = Globals::Synchronizer();
    const std::int32_t me = application->FindUser("Anna Lindqvist")->Record()->ID();
    const std::int32_t colleague = application->FindUser("Erik Holm")->Record()->ID();
    options->SetSynchronizationUser(me);
    options->SetSynchronizeContacts(true);
    // The runs under test are the first to meet the changes.
    options->SetSynchronizeAtStartup(false);

    struct Pair {
        Ptr<kelo::IRecord> record;
        Ptr<outlook::IItem> item;
        Change change;
    };
    std::vector<Pair> pairs;
    const Date start = Date::FromParts(2024, 5, 6, 9);
    for (int i = 0; i < static_cast<int>(std::size(kChanges)); ++i) {
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
            pairs.push_back({record, item, kChanges[i]});
        }
    }
    sync->SynchronizeWithWorkdialog(true);

    Globals::SetAddin(nullptr);
    Globals::DisconnectOutlookAndRedemption();
    host.TheMachine().Clock().AdvanceSeconds(3600);
    const auto session = host.TheMachine().Outlook().Running()->Session();
    for (const auto& [record, item, change] : pairs) {
        const bool person = record->Class()->Name() == "person";
        switch (change) {
            case Change::InKelo: ChangeStoredRecord(record, person ? "jobtitle" : "notes", Variant("changed in Kelo")); break;
            case Change::InOutlook: {
                const auto reopened = session->GetItemFromID(item->EntryID());
                reopened->SetBody("changed in Outlook");
                reopened->Save();
                break;
            }
            case Change::DeletedInKelo: host.TheMachine().KeloUser().DeleteRecord(record->Class()->Name(), record->ID()); break;
            case Change::GivenToAColleague:
                if (!person) ChangeStoredRecord(record, "responsible", Variant(colleague));
                break;
            case Change::DeletedInOutlook: session->GetItemFromID(item->EntryID())->Delete(); break;
            case Change::None: break;
        }
    }
}

class SynchronizationFaultTest : public ::testing::TestWithParam<int> {
protected:
    static FaultSweep& World() {
        static FaultSweep sweep(SeedPairs);
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
