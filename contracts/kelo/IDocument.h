#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Object.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// A document kept in the database ("QVR.Document"): its bytes, a name and
// a file extension (without point). A new document is stored with the
// record that holds it in a document field. Filename materialises it as a
// file in the working folder ("" for a document without content); Update
// takes that file back (documentupdate modes). State flags: documentstate.
class IDocument : public virtual Object {
public:
    virtual std::int32_t ID() = 0;  // 0 until stored
    virtual std::string Name() = 0;
    virtual void SetName(std::string_view name) = 0;
    virtual std::string Extension() = 0;
    virtual void SetExtension(std::string_view extension) = 0;
    // Reads the file's bytes; the extension follows the file's.
    virtual void LoadFromFile(std::string_view path) = 0;
    virtual void SaveToFile(std::string_view path) = 0;
    virtual Bytes Data() = 0;
    virtual void SetData(const Bytes& data) = 0;
    virtual std::string Filename() = 0;
    virtual std::int32_t State() = 0;
    // Commit: takes the changes made to Filename's file back into the
    // document and stores them; Release: gives the file up. Raises for a
    // read-only document (Commit) and for other modes.
    virtual void Update(std::int32_t mode) = 0;
};

}  // namespace ostrellix::kelo
