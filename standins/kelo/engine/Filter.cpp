#include "standins/kelo/engine/Filter.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IRecord.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/ConditionSql.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Pool.h"

namespace ostrellix::standin::kelo {

namespace {

namespace op = ostrellix::kelo::op;
namespace logic = ostrellix::kelo::logic;

std::string ValueDescription(const Variant& value) {
    if (value.IsNull() || value.IsEmpty() || value.IsNothing()) return "empty";
    if (value.IsObject()) {
        const auto record = value.ToObjectAs<ostrellix::kelo::IRecord>();
        return record ? "#" + std::to_string(record->ID()) : std::string("an object");
    }
    if (value.IsString()) return "\"" + value.ToString() + "\"";
    return value.ToString();
}

}  // namespace

void Filter::Add(std::string_view fieldOrPath, std::int32_t code, const Variant& value) {
    if (code != op::Equal && code != op::LaterThan && code != op::Contains) {
        throw ComError(errors::InvalidProcedureCall, kEngineSource,
                       "The filter operator " + std::to_string(code) +
                           " is not known (1 equal, 5 later than, 15 partial match)");
    }
    if (fieldOrPath.empty()) RaiseEngineError(engineerror::UnknownField, "A filter condition needs a field name");
    terms_.emplace_back(Condition{std::string(fieldOrPath), code, value});
}

void Filter::AddPool(const Ptr<ostrellix::kelo::IPool>& pool) {
    if (!pool) RaiseRuntimeError(errors::ObjectVariableNotSet);
    terms_.emplace_back(pool);
}

void Filter::Combine(std::int32_t logicCode) {
    if (logicCode != logic::And && logicCode != logic::Or) {
        throw ComError(errors::InvalidProcedureCall, kEngineSource,
                       "The filter combination " + std::to_string(logicCode) + " is not known (1 and, 2 or)");
    }
    if (terms_.empty()) return;
    auto group = std::make_shared<Group>(Group{logicCode, std::move(terms_)});
    terms_.clear();
    terms_.emplace_back(std::move(group));
}

std::string Filter::Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string joined;
    for (const auto& part : parts) joined += (joined.empty() ? "" : separator) + part;
    return joined;
}

std::string Filter::TermSql(const Ptr<Class>& cls, const Term& term, std::vector<SqlValue>& parameters) {
    if (const auto* condition = std::get_if<Condition>(&term)) {
        return ConditionSql::Make(cls, condition->path, condition->op, condition->value, parameters);
    }
    if (const auto* pool = std::get_if<Ptr<ostrellix::kelo::IPool>>(&term)) {
        parameters.emplace_back(Pool::Json(*pool));
        return "r.id IN (SELECT value FROM json_each(?))";
    }
    const auto& group = *std::get<std::shared_ptr<const Group>>(term);
    std::vector<std::string> parts;
    for (const Term& inner : group.terms) parts.push_back(TermSql(cls, inner, parameters));
    return "(" + Joined(parts, group.logic == logic::Or ? " OR " : " AND ") + ")";
}

SqlCondition Filter::Sql(const Ptr<Class>& cls) const {
    SqlCondition condition;
    std::vector<std::string> parts;
    for (const Term& term : terms_) parts.push_back(TermSql(cls, term, condition.parameters));
    condition.sql = Joined(parts, " AND ");
    return condition;
}

std::string Filter::TermDescription(const Term& term) {
    if (const auto* condition = std::get_if<Condition>(&term)) {
        const char* word = condition->op == op::Equal ? " = " : condition->op == op::LaterThan ? " > " : " contains ";
        return condition->path + word + ValueDescription(condition->value);
    }
    if (const auto* pool = std::get_if<Ptr<ostrellix::kelo::IPool>>(&term)) {
        return "id in a pool of " + std::to_string((*pool)->Count());
    }
    const auto& group = *std::get<std::shared_ptr<const Group>>(term);
    std::vector<std::string> parts;
    for (const Term& inner : group.terms) parts.push_back(TermDescription(inner));
    return "(" + Joined(parts, group.logic == logic::Or ? " or " : " and ") + ")";
}

std::string Filter::Description() {
    std::vector<std::string> parts;
    for (const Term& term : terms_) parts.push_back(TermDescription(term));
    return Joined(parts, " and ");
}

}  // namespace ostrellix::standin::kelo
