#pragma once

#include <string>
#include <string_view>

namespace ostrellix::addin {

// What a synchronization run did with one Outlook item and the Kelo record
// its "KeloID" names, told to observers of Synchronizer::Events() as the
// run goes (the run does the same whether anybody listens or not). An item
// that a run never looked at (not marked, marked for another database,
// unchanged since the last partial run) is not reported.
struct PairReport {
    enum class Kind { Appointment, Task, Contact };
    enum class Action {
        Unchanged,        // both sides as at the last synchronization: nothing written
        CopiedToOutlook,  // the record changed: the item was overwritten from it
        CopiedToKelo,     // only the item changed: the record was updated from it
        Unmarked,         // the item lost its marks and stays in Outlook
        Deleted,          // the item was deleted from Outlook
        Skipped,          // the item was left as it was
    };
    enum class Reason {
        None,
        DuplicateKeloID,   // a later item carries the same KeloID and was paired instead
        AnotherUsersItem,  // the item's sender is not the profile's user
        InvalidRecord,     // a to-do of another coworker, or of none
        RecordNotFound,    // deleted in Kelo, or not readable
    };

    Kind kind;
    std::string keloId;
    std::string entryId;
    Action action;
    Reason why = Reason::None;

    // Lower-case English words for reports: "appointment", "copied to Outlook", "duplicate KeloID".
    static std::string_view Name(Kind kind);
    static std::string_view Name(Action action);
    static std::string_view Name(Reason reason);
};

}  // namespace ostrellix::addin
