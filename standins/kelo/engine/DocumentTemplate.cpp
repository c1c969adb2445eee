#include "standins/kelo/engine/DocumentTemplate.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/FileAccess.h"
#include "standins/kelo/engine/SqlValue.h"

namespace ostrellix::standin::kelo {

DocumentTemplate::DocumentTemplate(std::shared_ptr<Engine> engine, std::int32_t id, std::string name,
                                   std::string location, std::string extension)
    : engine_(std::move(engine)),
      id_(id),
      name_(std::move(name)),
      location_(std::move(location)),
      extension_(std::move(extension)) {}

Ptr<DocumentTemplate> DocumentTemplate::Create(const std::shared_ptr<Engine>& engine, const std::string& name,
                                               const std::string& location, const std::string& extension,
                                               const Bytes& data) {
    const std::int32_t id = engine->Transact([&] {
        SQLite::Statement insert(engine->Db(),
                                 "INSERT INTO kelo_template(name, location, extension, data) VALUES (?, ?, ?, ?)");
        insert.bind(1, name);
        insert.bind(2, location);
        insert.bind(3, extension);
        Bind(insert, 4, data);
        insert.exec();
        return static_cast<std::int32_t>(engine->Db().getLastInsertRowid());
    });
    return std::make_shared<DocumentTemplate>(engine, id, name, location, extension);
}

void DocumentTemplate::WriteFile(std::string_view path) {
    const Bytes data = engine_->Guard("reading a template", [&] {
        SQLite::Statement query(engine_->Db(), "SELECT data FROM kelo_template WHERE id = ?");
        query.bind(1, id_);
        if (!query.executeStep()) {
            RaiseEngineError(engineerror::RecordNotFound, "The template " + Quoted(name_) + " no longer exists");
        }
        return std::get<Bytes>(ReadColumn(query.getColumn(0)));
    });
    FileAccess::WriteAtomically(std::filesystem::path(path), data);
}

}  // namespace ostrellix::standin::kelo
