#include "tests/sync/RunFixture.h"

#include "standins/outlook/SimulatedUser.h"

namespace ostrellix::addin {

RunTest::RunTest() {
    me = CoworkerOf("Anna Lindqvist");
    colleague = CoworkerOf("Erik Holm");
    options->SetSynchronizationUser(me);
    options->SetSynchronizeContacts(true);
    listening_ = sync->Events().PairSynchronized.Connect([this](const PairReport& report) { reports.push_back(report); });
    SetListening(false);
}

void RunTest::SetListening(bool on) {
    Globals::SetAddin(on ? loaded_ : nullptr);
    Globals::DisconnectOutlookAndRedemption();
    Globals::Outlook();
}

Ptr<kelo::IRecord> RunTest::ToDo(std::string_view subject, bool withEnd, const Variant& responsible) {
    const Date start = Date::FromParts(2024, 5, 6, 9);
    auto record = NewRecord("todo", {{"subject", Variant(subject)}, {"start", start}, {"responsible", responsible}});
    if (withEnd) record->SetValue("end", start.AddSeconds(3600));
    record->Update();
    return record;
}

Ptr<outlook::IItem> RunTest::Pair(const Ptr<kelo::IRecord>& record, std::string_view colleagueAddress) {
    auto item = sync->CreateItemFromRecord(record);
    sync->UpdateItemFromRecord(item, record);
    if (colleagueAddress.empty()) {
        item->Save();
    } else {
        standin::outlook::SimulatedUser(Globals::Outlook()).SaveAsColleague(item, colleagueAddress);
    }
    sync->EnableSynchronization(item, record);
    return item;
}

void RunTest::Change(const Ptr<kelo::IRecord>& record, const char* field, const Variant& value) {
    auto stored = Reloaded(record);
    stored->SetValue(field, value);
    stored->Update();
}

std::vector<PairReport> RunTest::ReportsFor(const std::string& entryId) const {
    std::vector<PairReport> found;
    for (const PairReport& report : reports) {
        if (report.entryId == entryId) found.push_back(report);
    }
    return found;
}

std::vector<Date> RunTest::Stored() const {
    return {options->OutlookTimestamp(), options->KeloTimestamp(), options->LastSynchronizationTime(),
            options->LastFullSynchronizationTime()};
}

}  // namespace ostrellix::addin
