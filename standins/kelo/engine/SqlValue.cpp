#include "standins/kelo/engine/SqlValue.h"

#include <SQLiteCpp/Column.h>
#include <SQLiteCpp/Statement.h>
#include <sqlite3.h>

namespace ostrellix::standin::kelo {

void Bind(SQLite::Statement& statement, int index, const SqlValue& value) {
    std::visit(
        [&](const auto& v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) statement.bind(index);
            else if constexpr (std::is_same_v<T, Bytes>) {
                static const std::uint8_t none = 0;  // a null pointer would bind NULL, not an empty blob
                statement.bind(index, v.empty() ? &none : v.data(), static_cast<int>(v.size()));
            }
            else statement.bind(index, v);
        },
        value);
}

SqlValue ReadColumn(const SQLite::Column& column) {
    switch (column.getType()) {
        case SQLITE_NULL: return {};
        case SQLITE_INTEGER: return static_cast<std::int64_t>(column.getInt64());
        case SQLITE_FLOAT: return column.getDouble();
        case SQLITE_BLOB: {
            const auto* data = static_cast<const std::uint8_t*>(column.getBlob());
            return Bytes(data, data + column.getBytes());
        }
        default: return column.getString();
    }
}

}  // namespace ostrellix::standin::kelo
