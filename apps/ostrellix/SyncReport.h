#pragma once

#include <array>
#include <cstddef>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <vector>

#include "sync/PairReport.h"

namespace ostrellix::host {

// What synchronization runs did, pair by pair, as the add-in told its
// observers: counted per kind and action, with the reasons given, for
// people; one object per pair and a summary for scripts.
class SyncReport {
public:
    void Add(const addin::PairReport& pair) { pairs_.push_back(pair); }

    const std::vector<addin::PairReport>& Pairs() const { return pairs_; }
    std::size_t Count(addin::PairReport::Kind kind, addin::PairReport::Action action) const;
    // The items the runs took out of synchronization: unmarked or deleted.
    std::vector<addin::PairReport> Removals() const;

    // Per kind one line of counts per action; a count with reasons says how many had each.
    void Print(std::ostream& out) const;
    // One removal as "deleted appointment todo:12 (record not found)".
    static void PrintRemoval(std::ostream& out, const addin::PairReport& pair);

    static nlohmann::json Json(const addin::PairReport& pair);
    // The counts per kind and action.
    nlohmann::json Summary() const;
    // {"pairs": [...], "summary": {...}}, as `--report` writes it.
    nlohmann::json Document() const;

    static constexpr std::array kKinds{addin::PairReport::Kind::Appointment, addin::PairReport::Kind::Task,
                                       addin::PairReport::Kind::Contact};
    static constexpr std::array kActions{
        addin::PairReport::Action::Unchanged, addin::PairReport::Action::CopiedToOutlook,
        addin::PairReport::Action::CopiedToKelo, addin::PairReport::Action::Unmarked,
        addin::PairReport::Action::Deleted, addin::PairReport::Action::Skipped};

private:
    std::vector<addin::PairReport> pairs_;
};

}  // namespace ostrellix::host
