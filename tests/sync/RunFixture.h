#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Addin.h"
#include "core/Options.h"
#include "sync/PairReport.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {

// Synchronization enabled for the active Kelo user (Anna, the Outlook
// profile's user) with contacts taking part, the pairs a run works on, and
// every pair report a run makes. Runs are seen on their own: the add-in is
// attached to Outlook without its listeners, as when the items changed
// while the client was closed, so that no change is carried across before
// the run.
class RunTest : public SyncTest {
protected:
    RunTest();

    // Attaches the add-in to Outlook anew, with its listeners or without.
    void SetListening(bool on);

    Ptr<addin::Options> options = Globals::Options();
    std::int32_t me = 0;         // Anna's coworker record
    std::int32_t colleague = 0;  // Erik's
    std::vector<PairReport> reports;

    // A stored to-do for `responsible`: an appointment when it has an end, else a task.
    Ptr<kelo::IRecord> ToDo(std::string_view subject, bool withEnd, const Variant& responsible);
    Ptr<kelo::IRecord> ToDo(std::string_view subject, bool withEnd) { return ToDo(subject, withEnd, Variant(me)); }
    // The record's new Outlook item, filled and marked as a first
    // synchronization leaves it; stored first by a colleague when one is named.
    Ptr<outlook::IItem> Pair(const Ptr<kelo::IRecord>& record, std::string_view colleagueAddress = {});
    // Changes and stores a field of a record, as a Kelo user would.
    void Change(const Ptr<kelo::IRecord>& record, const char* field, const Variant& value);
    // The reports about the item with that EntryID.
    std::vector<PairReport> ReportsFor(const std::string& entryId) const;
    // The time stamps and completion times a run stores.
    std::vector<Date> Stored() const;

private:
    Ptr<addin::Addin> loaded_ = Globals::Addin();
    Connection listening_;
};

}  // namespace ostrellix::addin
