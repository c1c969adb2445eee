#pragma once

#include <string>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A file the client hands to its mail channel to attach: its path and the
// name the user sees for it.
class IFile : public virtual Object {
public:
    virtual std::string Filename() = 0;
    virtual std::string DisplayValue() = 0;
};

}  // namespace ostrellix::kelo
