#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "runtime/Variant.h"

namespace SQLite {
class Column;
class Statement;
}  // namespace SQLite

namespace ostrellix::standin::kelo {

// A value as SQLite stores it: NULL, integer, real, text or blob.
using SqlValue = std::variant<std::monostate, std::int64_t, double, std::string, Bytes>;

void Bind(SQLite::Statement& statement, int index, const SqlValue& value);
SqlValue ReadColumn(const SQLite::Column& column);

}  // namespace ostrellix::standin::kelo
