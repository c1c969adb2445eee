#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::kelo {

// A document kept in the database ("QVR.Document"): its bytes, a name and
// a file extension (without point). Filename materialises it as a file in
// the working folder. State flags: documentstate::ReadOnly.
class IDocument : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual void SetName(std::string_view name) = 0;
    virtual std::string Extension() = 0;
    virtual void SetExtension(std::string_view extension) = 0;
    // Reads the file's bytes; the extension follows the file's.
    virtual void LoadFromFile(std::string_view path) = 0;
    virtual void SaveToFile(std::string_view path) = 0;
    virtual std::string Filename() = 0;
    virtual std::int32_t State() = 0;
    // Takes the changes made to Filename's file back into the document.
    virtual void Update(std::int32_t mode) = 0;
};

}  // namespace ostrellix::kelo
