// The checksums that decide which side of a synchronized pair changed: the
// checksum algorithm on texts up to the longest it accepts, and both
// checksums of a person paired with its Outlook contact (the record read
// through the data engine, the contact opened through the MAPI library).

#include <benchmark/benchmark.h>

#include "contracts/kelo/IApplication.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "runtime/Text.h"
#include "sync/Synchronizer.h"
#include "tests/support/AddinWorld.h"

namespace {

using namespace ostrellix;

void ComputeChecksum(benchmark::State& state) {
    std::string text;
    while (text::Len(text) < static_cast<std::size_t>(state.range(0))) text += "Leveransvillkor för våren, ";
    text = text::Left(text, static_cast<std::size_t>(state.range(0)));
    addin::Synchronizer synchronizer;
    for (auto _ : state) benchmark::DoNotOptimize(synchronizer.ComputeChecksum(text));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ComputeChecksum)->Arg(100)->Arg(1000)->Arg(32767)->Complexity(benchmark::oN);

// A person with every synchronized field filled, and its contact, paired.
struct PairedPerson {
    testing::AddinWorld world{{.outlookRunning = true}};
    Ptr<addin::Synchronizer> sync = addin::Globals::Synchronizer();
    Ptr<kelo::IRecord> person;
    Ptr<outlook::IItem> contact;

    PairedPerson() {
        const auto application = addin::Globals::Application();
        person = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
        person->New(application->Classes()->FindByName("person"));
        const std::pair<const char*, Variant> values[] = {
            {"firstname", "Paul"}, {"lastname", "Okafor"}, {"email", "paul.okafor@brisa-logistics.com"},
            {"email2", "paul@example.org"}, {"homephone", "+44 20 7946 0100"}, {"phone", "+44 20 7946 0011"},
            {"mobile", "+44 7700 900123"}, {"homefax", "+44 20 7946 0101"}, {"fax", "+44 20 7946 0012"},
            {"birthday", Date::FromParts(1980, 4, 12)}, {"homeaddress", "3 Elm Row\nLondon E2 7AB"},
            {"businessaddress", "12 Dock Road\nLondon E16 1AA"}, {"web", "https://brisa-logistics.com"},
            {"personalweb", "https://okafor.example"}, {"jobtitle", "Head of operations"}, {"nickname", "Paul"},
            {"notes", std::string(2000, 'n')}, {"company", 3}};
        for (const auto& [field, value] : values) person->SetValue(field, value);
        person->Update();
        contact = sync->CreateItemFromRecord(person);
        sync->UpdateItemFromRecord(contact, person);
        sync->EnableSynchronization(contact, person);
    }
};

void RecordChecksumOfAPerson(benchmark::State& state) {
    PairedPerson pair;
    for (auto _ : state) benchmark::DoNotOptimize(pair.sync->ComputeRecordChecksum(pair.person));
}
BENCHMARK(RecordChecksumOfAPerson)->Unit(benchmark::kMicrosecond);

void ItemChecksumOfAContact(benchmark::State& state) {
    PairedPerson pair;
    for (auto _ : state) benchmark::DoNotOptimize(pair.sync->ComputeItemChecksum(pair.contact));
}
BENCHMARK(ItemChecksumOfAContact)->Unit(benchmark::kMicrosecond);

}  // namespace
