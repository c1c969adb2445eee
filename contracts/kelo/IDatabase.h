#pragma once

#include <string>

#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/kelo/IStoredFilters.h"

namespace ostrellix::kelo {

// The database the client is connected to: its name, the server it lives
// on, a folder for per-database files, the root of its settings tree, its
// document templates, its classes and the filters stored for a class.
class IDatabase : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::string Server() = 0;
    virtual std::string Folder() = 0;
    virtual Ptr<IProperties> Settings() = 0;
    virtual Ptr<IDocumentTemplates> Templates() = 0;
    virtual Ptr<IClasses> Classes() = 0;
    virtual Ptr<IStoredFilters> Filters(const Ptr<IClass>& cls) = 0;
};

}  // namespace ostrellix::kelo
