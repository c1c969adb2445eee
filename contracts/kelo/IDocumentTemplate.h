#pragma once

#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A document template of the database: a name, a location text (which
// classes and fields it belongs to, "" for all) and a file.
class IDocumentTemplate : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::string Location() = 0;
    virtual std::string Extension() = 0;
    virtual void WriteFile(std::string_view path) = 0;
};

}  // namespace ostrellix::kelo
