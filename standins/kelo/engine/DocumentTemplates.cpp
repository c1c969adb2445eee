#include "standins/kelo/engine/DocumentTemplates.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "runtime/ComError.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "standins/kelo/engine/Engine.h"

namespace ostrellix::standin::kelo {

Ptr<DocumentTemplates> DocumentTemplates::All(const std::shared_ptr<Engine>& engine) {
    auto all = std::make_shared<DocumentTemplates>();
    engine->Guard("reading the templates", [&] {
        SQLite::Statement query(engine->Db(), "SELECT id, name, location, extension FROM kelo_template ORDER BY id");
        while (query.executeStep()) {
            all->templates_.push_back(std::make_shared<DocumentTemplate>(
                engine, query.getColumn(0).getInt(), query.getColumn(1).getString(), query.getColumn(2).getString(),
                query.getColumn(3).getString()));
        }
    });
    return all;
}

Ptr<ostrellix::kelo::IDocumentTemplate> DocumentTemplates::Item(std::int32_t index) {
    if (index < 1 || index > Count()) RaiseRuntimeError(errors::SubscriptOutOfRange);
    return templates_[static_cast<std::size_t>(index - 1)];
}

void DocumentTemplates::Add(const Ptr<ostrellix::kelo::IDocumentTemplate>& documentTemplate) {
    if (!documentTemplate) RaiseRuntimeError(errors::ObjectVariableNotSet);
    templates_.push_back(documentTemplate);
}

}  // namespace ostrellix::standin::kelo
