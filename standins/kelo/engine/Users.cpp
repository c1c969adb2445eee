#include "standins/kelo/engine/Users.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"

namespace ostrellix::standin::kelo {

namespace {

Ptr<User> FromRow(const std::shared_ptr<Engine>& engine, SQLite::Statement& row) {
    std::optional<std::int32_t> coworker;
    if (!row.getColumn(2).isNull()) coworker = row.getColumn(2).getInt();
    return std::make_shared<User>(engine, row.getColumn(0).getInt(), row.getColumn(1).getString(), coworker);
}

}  // namespace

Ptr<User> Users::Add(std::string_view name, std::optional<std::int32_t> coworker) {
    if (Find(name)) RaiseEngineError(engineerror::BadSchema, "There is already a user " + Quoted(std::string(name)));
    const std::int32_t id = engine_->Transact([&] {
        SQLite::Statement insert(engine_->Db(), "INSERT INTO kelo_user(name, coworker_id) VALUES (?, ?)");
        insert.bind(1, std::string(name));
        if (coworker) insert.bind(2, *coworker);
        else insert.bind(2);
        insert.exec();
        return static_cast<std::int32_t>(engine_->Db().getLastInsertRowid());
    });
    return std::make_shared<User>(engine_, id, std::string(name), coworker);
}

Ptr<User> Users::Find(std::string_view name) {
    return engine_->Guard("looking a user up", [&]() -> Ptr<User> {
        return engine_->WithStatement("SELECT id, name, coworker_id FROM kelo_user WHERE name = ?",
                                      [&](SQLite::Statement& query) -> Ptr<User> {
                                          query.bind(1, std::string(name));
                                          return query.executeStep() ? FromRow(engine_, query) : nullptr;
                                      });
    });
}

std::vector<Ptr<User>> Users::All() {
    return engine_->Guard("reading the users", [&] {
        return engine_->WithStatement("SELECT id, name, coworker_id FROM kelo_user ORDER BY id",
                                      [&](SQLite::Statement& query) {
                                          std::vector<Ptr<User>> users;
                                          while (query.executeStep()) users.push_back(FromRow(engine_, query));
                                          return users;
                                      });
    });
}

}  // namespace ostrellix::standin::kelo
