#include "apps/ostrellix/SyncReport.h"

#include <algorithm>
#include <map>
#include <ostream>
#include <string>

namespace ostrellix::host {

namespace {

using addin::PairReport;

std::string Plural(PairReport::Kind kind) { return std::string(PairReport::Name(kind)) + "s"; }

}  // namespace

std::size_t SyncReport::Count(PairReport::Kind kind, PairReport::Action action) const {
    return static_cast<std::size_t>(std::ranges::count_if(
        pairs_, [&](const PairReport& pair) { return pair.kind == kind && pair.action == action; }));
}

std::vector<PairReport> SyncReport::Removals() const {
    std::vector<PairReport> removals;
    std::ranges::copy_if(pairs_, std::back_inserter(removals), [](const PairReport& pair) {
        return pair.action == PairReport::Action::Unmarked || pair.action == PairReport::Action::Deleted;
    });
    return removals;
}

void SyncReport::Print(std::ostream& out) const {
    for (const auto kind : kKinds) {
        out << "  " << Plural(kind) << ":";
        const char* separator = " ";
        for (const auto action : kActions) {
            out << separator << Count(kind, action) << " " << PairReport::Name(action);
            separator = ", ";
            std::map<PairReport::Reason, std::size_t> reasons;
            for (const PairReport& pair : pairs_) {
                if (pair.kind == kind && pair.action == action && pair.why != PairReport::Reason::None) {
                    ++reasons[pair.why];
                }
            }
            if (reasons.empty()) continue;
            out << " (";
            const char* inner = "";
            for (const auto& [reason, count] : reasons) {
                out << inner << count << " " << PairReport::Name(reason);
                inner = ", ";
            }
            out << ")";
        }
        out << "\n";
    }
}

void SyncReport::PrintRemoval(std::ostream& out, const PairReport& pair) {
    out << "  " << PairReport::Name(pair.action) << " " << PairReport::Name(pair.kind) << " " << pair.keloId;
    if (pair.why != PairReport::Reason::None) out << " (" << PairReport::Name(pair.why) << ")";
    out << "\n";
}

nlohmann::json SyncReport::Json(const PairReport& pair) {
    return {{"kind", PairReport::Name(pair.kind)},
            {"KeloID", pair.keloId},
            {"EntryID", pair.entryId},
            {"action", PairReport::Name(pair.action)},
            {"why", PairReport::Name(pair.why)}};
}

nlohmann::json SyncReport::Summary() const {
    nlohmann::json summary = nlohmann::json::object();
    for (const auto kind : kKinds) {
        nlohmann::json counts = nlohmann::json::object();
        for (const auto action : kActions) counts[std::string(PairReport::Name(action))] = Count(kind, action);
        summary[Plural(kind)] = counts;
    }
    return summary;
}

nlohmann::json SyncReport::Document() const {
    nlohmann::json pairs = nlohmann::json::array();
    for (const PairReport& pair : pairs_) pairs.push_back(Json(pair));
    return {{"pairs", pairs}, {"summary", Summary()}};
}

}  // namespace ostrellix::host
