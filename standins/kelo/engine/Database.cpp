#include "standins/kelo/engine/Database.h"

#include "standins/kelo/engine/DocumentTemplates.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/kelo/engine/SettingsCollection.h"

namespace ostrellix::standin::kelo {

std::string Database::Name() { return engine_->Name(); }
std::string Database::Server() { return engine_->Server(); }
std::string Database::Folder() { return engine_->Folder().string(); }
Ptr<ostrellix::kelo::IProperties> Database::Settings() { return SettingsCollection::Root(engine_); }
Ptr<ostrellix::kelo::IDocumentTemplates> Database::Templates() { return DocumentTemplates::All(engine_); }
Ptr<ostrellix::kelo::IClasses> Database::Classes() { return engine_->Metadata().All(); }

}  // namespace ostrellix::standin::kelo
