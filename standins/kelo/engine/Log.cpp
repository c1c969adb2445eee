#include "standins/kelo/engine/Log.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>

#include "standins/kelo/engine/Engine.h"

namespace ostrellix::standin::kelo {

void Log::Add(std::int32_t type, std::string_view source, std::string_view location, std::string_view code,
              std::string_view message) {
    engine_->Transact([&] {
        SQLite::Statement insert(engine_->Db(),
                                 "INSERT INTO kelo_log(time, type, source, location, code, message) VALUES (?, ?, ?, ?, ?, ?)");
        insert.bind(1, engine_->Clock().Now().Serial());
        insert.bind(2, type);
        insert.bind(3, std::string(source));
        insert.bind(4, std::string(location));
        insert.bind(5, std::string(code));
        insert.bind(6, std::string(message));
        insert.exec();
    });
}

std::vector<Log::Entry> Log::Entries(std::size_t count) {
    return engine_->Guard("reading the log", [&] {
        std::string sql = "SELECT time, type, source, location, code, message FROM kelo_log ORDER BY id DESC";
        if (count > 0) sql += " LIMIT " + std::to_string(count);
        SQLite::Statement query(engine_->Db(), sql);
        std::vector<Entry> entries;
        while (query.executeStep()) {
            entries.push_back({Date(query.getColumn(0).getDouble()), query.getColumn(1).getInt(),
                               query.getColumn(2).getString(), query.getColumn(3).getString(),
                               query.getColumn(4).getString(), query.getColumn(5).getString()});
        }
        std::reverse(entries.begin(), entries.end());
        return entries;
    });
}

}  // namespace ostrellix::standin::kelo
