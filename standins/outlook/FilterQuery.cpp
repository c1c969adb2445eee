#include "standins/outlook/FilterQuery.h"

#include <cmath>
#include <cstdlib>

#include "runtime/Date.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/ItemIndex.h"
#include "standins/outlook/OutlookProperty.h"

namespace ostrellix::standin::outlook {

namespace {

namespace pt = msg::pt;

// Counting a candidate set stops at a cap: a small one first, which tells
// a selective lookup at little cost, then larger ones while all lookups
// reach it.
constexpr int kEstimateCaps[] = {32, 256, 4096};

// A date to the minute (the seconds of the value are dropped), as the index keeps dates.
std::optional<double> DateValue(const std::string& text) {
    const std::optional<Date> date = Date::TryParse(text);
    if (!date) return std::nullopt;
    return ItemIndex::DateKey(date->DatePart()) + (date->Hour() * 60 + date->Minute()) * 60.0;
}

std::optional<double> NumberValue(const std::string& value) {
    const std::string text = text::Trim(value);
    if (text::EqualsIgnoreCase(text, "True") || text::EqualsIgnoreCase(text, "Yes")) return 1.0;
    if (text::EqualsIgnoreCase(text, "False") || text::EqualsIgnoreCase(text, "No")) return 0.0;
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size()) return std::nullopt;
    return number;
}

}  // namespace

FilterQuery::FilterQuery(const Filter& filter, std::int64_t folderId, const Sampler& sample)
    : filter_(filter), folderId_(folderId) {
    const std::optional<Candidates> candidates = CandidatesOf(filter.Root(), sample);
    scansFolder_ = !candidates;
    predicate_ = Predicate(filter.Root());
    sql_ = "SELECT i.id, i.entry_id FROM items i WHERE ";
    if (!candidates) {
        sql_ += "i.folder_id = ?";
        parameters_.emplace_back(folderId_);
    } else if (candidates->ids && candidates->ids->size() <= 1) {
        // A count found every candidate: none needs no query, one is read by
        // its row, whole, as the item found is opened next.
        matchesNothing_ = candidates->ids->empty();
        readsRow_ = !matchesNothing_;
        sql_ = std::string("SELECT ") + kRowColumns + " FROM items i JOIN folders f ON f.id = i.folder_id WHERE ";
        sql_ += "i.id = ? AND +i.folder_id = ?";
        parameters_.insert(parameters_.end(), {matchesNothing_ ? 0 : candidates->ids->front(), folderId_});
    } else {
        // Not the folder's index (the + keeps SQLite from it): the candidates
        // come in row order, and each is read by its row, with no sort after.
        sql_ += "i.id IN (" + candidates->query.sql + ") AND +i.folder_id = ?";
        parameters_.insert(parameters_.end(), candidates->query.parameters.begin(), candidates->query.parameters.end());
        parameters_.emplace_back(folderId_);
    }
    sql_ += " AND " + predicate_.sql + " ORDER BY i.id";
    parameters_.insert(parameters_.end(), predicate_.parameters.begin(), predicate_.parameters.end());
    matchSql_ = "SELECT 1 FROM items i WHERE i.entry_id = ? AND " + predicate_.sql;
}

std::vector<std::string> FilterQuery::Keys(const Filter& filter) {
    std::vector<std::string> keys;
    const std::function<void(const Filter::Node&)> visit = [&](const Filter::Node& node) {
        for (const Filter::Node& child : node.children) visit(child);
        if (node.kind != Filter::Node::Kind::Condition) return;
        // A property that cannot be filtered on has no key: the query refuses it.
        const OutlookProperty* property = OutlookProperty::Find(node.property);
        if (!property) {
            keys.push_back(ItemIndex::KeyOfUserProperty(node.property));
        } else if (property->filterable) {
            keys.push_back(ItemIndex::KeyOfProperty(property->name));
        }
    };
    visit(filter.Root());
    return keys;
}

std::vector<FilterQuery::Lookup> FilterQuery::Lookups(const Filter::Node& node) const {
    const std::string& value = node.value.text;
    auto fail = [&](const std::string& why) {
        errors::Raise(errors::kCannotParse, "Cannot parse condition. Error at \"[" + node.property + "]\": " + why +
                                                " (filter \"" + filter_.Text() + "\").");
    };
    const OutlookProperty* property = OutlookProperty::Find(node.property);
    if (!property) {
        // A user property: its values may be text or not, item by item.
        const std::string key = ItemIndex::KeyOfUserProperty(node.property);
        std::vector<Lookup> lookups{{key, "text", node.op, text::LCase(value)}};
        std::optional<double> number = DateValue(value);
        if (!number) number = NumberValue(value);
        if (number) lookups.push_back({key, "real", node.op, *number});
        return lookups;
    }
    if (!property->filterable) fail("the property " + std::string(property->name) + " cannot be used in a filter");
    const std::string key = ItemIndex::KeyOfProperty(property->name);
    switch (property->location.Type()) {
        case pt::SysTime: {
            const std::optional<double> date = DateValue(value);
            if (!date) fail("\"" + value + "\" is not a date");
            return {{key, "real", node.op, *date}};
        }
        case pt::Short:
        case pt::Long:
        case pt::Double:
        case pt::Boolean: {
            const std::optional<double> number = NumberValue(value);
            if (!number) fail("\"" + value + "\" is not a number");
            return {{key, "real", node.op, *number}};
        }
        default: return {{key, "text", node.op, text::LCase(value)}};
    }
}

std::optional<FilterQuery::Candidates> FilterQuery::CandidatesOf(const Filter::Node& node,
                                                                 const Sampler& sample) const {
    using Kind = Filter::Node::Kind;
    switch (node.kind) {
        case Kind::Condition: {
            Candidates found;
            Part& part = found.query;
            for (const Lookup& lookup : Lookups(node)) {
                if (!part.sql.empty()) part.sql += " UNION ";
                part.sql += std::string("SELECT item_id FROM item_values WHERE folder_id = ? AND key = ? AND value ") +
                            Filter::OperatorText(lookup.op) + " ? AND typeof(value) = '" + lookup.valueType + "'";
                part.parameters.insert(part.parameters.end(), {folderId_, lookup.key, lookup.value});
            }
            return found;
        }
        case Kind::And: {
            std::vector<Candidates> options;
            for (const Filter::Node& child : node.children) {
                if (std::optional<Candidates> candidates = CandidatesOf(child, sample)) {
                    options.push_back(std::move(*candidates));
                }
            }
            if (options.empty()) return std::nullopt;
            for (const int cap : kEstimateCaps) {
                std::size_t best = 0;
                std::int64_t bestCount = cap;
                // Each lookup is counted only as far as the best one so far: past that it cannot win.
                // One that finds a single item is not bettered by enough to be worth a count.
                for (std::size_t i = 0; i < options.size() && bestCount > 1; ++i) {
                    std::vector<Parameter> parameters = options[i].query.parameters;
                    parameters.emplace_back(bestCount);
                    std::vector<std::int64_t> ids =
                        sample("SELECT item_id FROM (" + options[i].query.sql + ") LIMIT ?", parameters);
                    const auto found = static_cast<std::int64_t>(ids.size());
                    if (found < bestCount) {
                        // Fewer than the limit: these are all it finds.
                        best = i;
                        bestCount = found;
                        options[i].ids = std::move(ids);
                    }
                }
                if (bestCount < cap) return std::move(options[best]);
            }
            return std::move(options.front());
        }
        case Kind::Or: {
            Candidates found;
            Part& part = found.query;
            for (const Filter::Node& child : node.children) {
                std::optional<Candidates> candidates = CandidatesOf(child, sample);
                if (!candidates) return std::nullopt;
                if (!part.sql.empty()) part.sql += " UNION ";
                part.sql += "SELECT * FROM (" + candidates->query.sql + ")";
                part.parameters.insert(part.parameters.end(), candidates->query.parameters.begin(),
                                       candidates->query.parameters.end());
            }
            return found;
        }
        case Kind::Not: return std::nullopt;
    }
    return std::nullopt;
}

FilterQuery::Part FilterQuery::Predicate(const Filter::Node& node) const {
    using Kind = Filter::Node::Kind;
    Part part;
    if (node.kind == Kind::Condition) {
        // The item's own entries are in its row; the kind of the value
        // bound picks the entries compared, as typeof does in the lookup.
        for (const Lookup& lookup : Lookups(node)) {
            if (!part.sql.empty()) part.sql += " OR ";
            part.sql += std::string("indexed_match(i.index_values, ?, '") + Filter::OperatorText(lookup.op) + "', ?)";
            part.parameters.insert(part.parameters.end(), {lookup.key, lookup.value});
        }
        part.sql = "(" + part.sql + ")";
        return part;
    }
    if (node.kind == Kind::Not) {
        Part inner = Predicate(node.children.front());
        return {"NOT " + inner.sql, std::move(inner.parameters)};
    }
    const char* joiner = node.kind == Kind::And ? " AND " : " OR ";
    for (const Filter::Node& child : node.children) {
        Part inner = Predicate(child);
        if (!part.sql.empty()) part.sql += joiner;
        part.sql += inner.sql;
        part.parameters.insert(part.parameters.end(), inner.parameters.begin(), inner.parameters.end());
    }
    part.sql = "(" + part.sql + ")";
    return part;
}

}  // namespace ostrellix::standin::outlook
