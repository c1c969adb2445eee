#include "standins/kelo/engine/Database.h"

#include "runtime/ComError.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/DocumentTemplates.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/EngineError.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/engine/SettingsCollection.h"
#include "standins/kelo/engine/StoredFilters.h"

namespace ostrellix::standin::kelo {

std::string Database::Name() { return engine_->Name(); }
std::string Database::Server() { return engine_->Server(); }
std::string Database::Folder() { return engine_->Folder().string(); }
Ptr<ostrellix::kelo::IProperties> Database::Settings() { return SettingsCollection::Root(engine_); }
Ptr<ostrellix::kelo::IDocumentTemplates> Database::Templates() { return DocumentTemplates::All(engine_); }
Ptr<ostrellix::kelo::IClasses> Database::Classes() { return engine_->Metadata().All(); }

Ptr<ostrellix::kelo::IStoredFilters> Database::Filters(const Ptr<ostrellix::kelo::IClass>& cls) {
    if (!cls) RaiseRuntimeError(errors::ObjectVariableNotSet);
    const auto own = std::dynamic_pointer_cast<Class>(cls);
    if (!own)
        throw ComError(errors::TypeMismatch, kEngineSource, "Type mismatch: the class is not one of this database");
    return StoredFilters::Of(engine_, *own);
}

}  // namespace ostrellix::standin::kelo
