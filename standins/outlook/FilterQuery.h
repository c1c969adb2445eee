#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "standins/outlook/Filter.h"

namespace ostrellix::standin::outlook {

// A filter turned into one SQL query over the store's item index, so that
// a filter is answered by index lookups instead of reading the folder's
// items. Each condition is a lookup of one key in the index. The query
// takes its candidates from the most selective lookup it can (for AND, the
// conjunct with the fewest matches, counted up to a cap; for OR, the
// union of its branches) and checks the whole filter on each candidate
// against the index entries its row holds (IndexedValues); a filter with
// nothing to draw candidates from (NOT alone) checks every item of the folder.
//
// Values are read by the property they are compared with: a date property
// takes a date (read to the minute), a number or yes/no property a number
// or True/False, a text property text. A user property's type is the
// item's, so a value is compared as text with text values and, when it
// reads as a date, number or Boolean, as that with the others. A value
// that does not fit its property, or a property that cannot be filtered
// on, raises Outlook's parse error.
class FilterQuery {
public:
    using Parameter = std::variant<std::int64_t, double, std::string>;
    // A piece of SQL with its parameters.
    struct Part {
        std::string sql;
        std::vector<Parameter> parameters;
    };
    // The item ids a query (with its parameters) gives; its last parameter is a LIMIT.
    using Sampler =
        std::function<std::vector<std::int64_t>(const std::string& sql, const std::vector<Parameter>& parameters)>;

    FilterQuery(const Filter& filter, std::int64_t folderId, const Sampler& sample);

    // The index keys the filter looks up, which the query needs indexed.
    static std::vector<std::string> Keys(const Filter& filter);

    // The columns of a whole stored message, as a query that reads the row
    // gives them (items as i, joined with its folder as f).
    static constexpr const char* kRowColumns = "i.entry_id, f.entry_id, i.revision, i.data, i.id, i.folder_id";

    // SELECT giving the row ids and EntryIDs of the folder's matching items,
    // in the order they were stored; when ReadsRow(), the one candidate's
    // whole row (kRowColumns) instead.
    const std::string& Sql() const { return sql_; }
    // True when a lookup found a single candidate: the query that checks it reads it too.
    bool ReadsRow() const { return readsRow_; }
    // True when the filter surely matches no item: Sql() need not run.
    bool MatchesNothing() const { return matchesNothing_; }
    const std::vector<Parameter>& Parameters() const { return parameters_; }
    // SELECT giving a row when the item whose EntryID is bound first (the
    // parameters follow it) matches.
    const std::string& MatchSql() const { return matchSql_; }
    const std::vector<Parameter>& MatchParameters() const { return predicate_.parameters; }
    // True when no index lookup narrows the candidates: Sql() checks every item of the folder.
    bool ScansFolder() const { return scansFolder_; }

private:
    // A lookup of one key in the index.
    struct Lookup {
        std::string key;
        const char* valueType;
        Filter::Op op;
        Parameter value;
    };

    // The candidates of a node: SQL giving item ids, or, when a count
    // found all of them, the ids themselves.
    struct Candidates {
        Part query;
        std::optional<std::vector<std::int64_t>> ids;
    };

    std::vector<Lookup> Lookups(const Filter::Node& condition) const;
    std::optional<Candidates> CandidatesOf(const Filter::Node& node, const Sampler& sample) const;
    Part Predicate(const Filter::Node& node) const;

    const Filter& filter_;
    std::int64_t folderId_;
    std::string sql_;
    std::vector<Parameter> parameters_;
    Part predicate_;
    std::string matchSql_;
    bool scansFolder_ = false;
    bool matchesNothing_ = false;
    bool readsRow_ = false;
};

}  // namespace ostrellix::standin::outlook
