#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "runtime/Date.h"
#include "runtime/Variant.h"
#include "standins/kelo/engine/RecordValues.h"
#include "standins/kelo/engine/SqlValue.h"

namespace ostrellix::standin::kelo {

// One record as read from its table: the values of its fields by field id
// (relations and documents as ids) and the relation paths read with it.
struct RecordRow {
    std::int32_t id = 0;
    Date timestamp;
    RecordValues values;
    std::vector<std::pair<std::string, Variant>> paths;
};

// A condition on records over the table alias "r", with its parameters.
struct SqlCondition {
    std::string sql;  // empty: every record
    std::vector<SqlValue> parameters;
};

}  // namespace ostrellix::standin::kelo
