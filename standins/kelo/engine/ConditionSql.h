#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Variant.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/SqlValue.h"

namespace ostrellix::standin::kelo {

// One filter condition in SQL over the records of a class (alias r):
// operator 1 is equality (without regard to case for text; a Null value
// asks for no value), 5 is "greater" (later dates, larger numbers), 15 is a
// partial match of text, anywhere and without regard to case. A relation
// path tests the linked record (relation to one) or asks that some linking
// record meets the test (relation to many). Values are converted as the
// field stores them; records stand for their ids.
class ConditionSql {
public:
    static std::string Make(const Ptr<Class>& cls, const std::string& fieldOrPath, std::int32_t op,
                            const Variant& value, std::vector<SqlValue>& parameters);
};

}  // namespace ostrellix::standin::kelo
