#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json_fwd.hpp>

#include "runtime/Variant.h"
#include "standins/kelo/engine/SqlValue.h"

namespace ostrellix::standin::kelo {

// A Variant stored with its kind, so that it reads back as the same kind
// (settings, field attributes): the kind is the VarType code; texts, numbers
// and bytes are stored as they are, Booleans as 0 or 1, dates as their
// serial, arrays as JSON of [kind, value] pairs. Objects cannot be stored.
class TypedValue {
public:
    struct Stored {
        std::int64_t kind = 0;
        SqlValue value;
    };

    // Raises 13 naming `what` for an object or an array holding one.
    static Stored Encode(const Variant& value, const std::string& what);
    static Variant Decode(std::int64_t kind, const SqlValue& value);

    // The value as the pair [kind, value] that arrays hold their items as,
    // for values kept inside other JSON; FromJson raises 13 for what is
    // not such a pair.
    static nlohmann::json ToJson(const Variant& value, const std::string& what);
    static Variant FromJson(const nlohmann::json& pair);
};

}  // namespace ostrellix::standin::kelo
