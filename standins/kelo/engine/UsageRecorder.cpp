#include "standins/kelo/engine/UsageRecorder.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "standins/kelo/engine/Engine.h"

namespace ostrellix::standin::kelo {

void UsageRecorder::Record(std::string_view tags) {
    engine_->Transact([&] {
        SQLite::Statement insert(engine_->Db(), "INSERT INTO kelo_usage(time, tags) VALUES (?, ?)");
        insert.bind(1, engine_->Clock().Now().Serial());
        insert.bind(2, std::string(tags));
        insert.exec();
    });
}

std::vector<std::string> UsageRecorder::Recorded() {
    return engine_->Guard("reading the usage", [&] {
        SQLite::Statement query(engine_->Db(), "SELECT tags FROM kelo_usage ORDER BY id");
        std::vector<std::string> tags;
        while (query.executeStep()) tags.push_back(query.getColumn(0).getString());
        return tags;
    });
}

}  // namespace ostrellix::standin::kelo
