#include "standins/kelo/engine/Filter.h"

#include <nlohmann/json.hpp>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IRecord.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/ConditionSql.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Pool.h"
#include "standins/kelo/engine/TypedValue.h"

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

nlohmann::json Filter::TermJson(const Term& term) {
    if (const auto* condition = std::get_if<Condition>(&term)) {
        Variant value = condition->value;
        if (value.IsObject() && !value.IsNothing()) {
            const auto record = value.ToObjectAs<ostrellix::kelo::IRecord>();
            if (!record) {
                throw ComError(errors::TypeMismatch, kEngineSource,
                               "The filter condition on " + condition->path + " holds an object that is not a record");
            }
            value = Variant(record->ID());
        }
        return {{"field", condition->path},
                {"op", condition->op},
                {"value", TypedValue::ToJson(value, "the filter condition on " + condition->path)}};
    }
    if (const auto* pool = std::get_if<Ptr<ostrellix::kelo::IPool>>(&term)) {
        return {{"pool", nlohmann::json::parse(Pool::Json(*pool))}};
    }
    const auto& group = *std::get<std::shared_ptr<const Group>>(term);
    nlohmann::json terms = nlohmann::json::array();
    for (const Term& inner : group.terms) terms.push_back(TermJson(inner));
    return {{"logic", group.logic}, {"terms", std::move(terms)}};
}

Filter::Term Filter::JsonTerm(const nlohmann::json& json) {
    if (json.contains("field")) {
        return Condition{json.at("field").get<std::string>(), json.at("op").get<std::int32_t>(),
                         TypedValue::FromJson(json.at("value"))};
    }
    if (json.contains("pool")) {
        auto pool = std::make_shared<Pool>();
        for (const auto& id : json.at("pool")) pool->Add(id.get<std::int32_t>());
        return Ptr<ostrellix::kelo::IPool>(pool);
    }
    auto group = std::make_shared<Group>(Group{json.at("logic").get<std::int32_t>(), {}});
    for (const auto& inner : json.at("terms")) group->terms.push_back(JsonTerm(inner));
    return std::shared_ptr<const Group>(std::move(group));
}

std::string Filter::Json() const {
    nlohmann::json terms = nlohmann::json::array();
    for (const Term& term : terms_) terms.push_back(TermJson(term));
    return terms.dump();
}

Ptr<Filter> Filter::FromJson(std::string_view json) {
    auto filter = std::make_shared<Filter>();
    try {
        for (const auto& term : nlohmann::json::parse(json)) filter->terms_.push_back(JsonTerm(term));
    } catch (const nlohmann::json::exception& error) {
        RaiseEngineError(engineerror::BadSchema, std::string("A stored filter cannot be read: ") + error.what());
    }
    return filter;
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
