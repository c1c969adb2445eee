#pragma once

#include <memory>
#include <string_view>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "contracts/kelo/IFilter.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/RecordRow.h"

namespace ostrellix::standin::kelo {

// A filter ("QVR.Filter"): conditions, pools of ids and groups made by
// Combine; the records must meet every top-level term. Names are resolved
// against the class when the filter is turned into SQL, so a filter can be
// made before its class is known; a bad name then raises naming the class.
class Filter final : public ostrellix::kelo::IFilter {
public:
    void Add(std::string_view fieldOrPath, std::int32_t op, const Variant& value) override;
    void AddPool(const Ptr<ostrellix::kelo::IPool>& pool) override;
    std::int32_t Count() override { return static_cast<std::int32_t>(terms_.size()); }
    void Combine(std::int32_t logic) override;
    std::string Description() override;

    // The filter as a condition on the records of `cls` (alias r).
    SqlCondition Sql(const Ptr<Class>& cls) const;

    // The terms as JSON text, to be stored; a record as a condition's value
    // is kept as its id. FromJson makes a filter of such text and raises
    // when the text is not one.
    std::string Json() const;
    static Ptr<Filter> FromJson(std::string_view json);

private:
    struct Condition {
        std::string path;
        std::int32_t op;
        Variant value;
    };
    struct Group;
    using Term = std::variant<Condition, Ptr<ostrellix::kelo::IPool>, std::shared_ptr<const Group>>;
    struct Group {
        std::int32_t logic;
        std::vector<Term> terms;
    };

    static std::string TermSql(const Ptr<Class>& cls, const Term& term, std::vector<SqlValue>& parameters);
    static nlohmann::json TermJson(const Term& term);
    static Term JsonTerm(const nlohmann::json& json);
    static std::string TermDescription(const Term& term);
    static std::string Joined(const std::vector<std::string>& parts, const char* separator);

    std::vector<Term> terms_;
};

}  // namespace ostrellix::standin::kelo
