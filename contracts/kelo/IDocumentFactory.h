#pragma once

#include <cstdint>
#include <string>

#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IDocumentTemplate.h"
#include "contracts/kelo/IRecord.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// Makes the client's documents of one kind from templates.
class IDocumentFactory : public virtual Object {
public:
    virtual std::string IDocumentFactory_Name() = 0;
    virtual std::string IDocumentFactory_GUID() = 0;
    virtual Ptr<IDocument> IDocumentFactory_Create(const Ptr<IRecord>& record,
                                                   const Ptr<IDocumentTemplate>& documentTemplate) = 0;
    // Kind 1: the file extension `value` is one the factory makes; kind 2:
    // its documents may be edited.
    virtual bool IDocumentFactory_Supports(std::int32_t kind, const Variant& value) = 0;
};

}  // namespace ostrellix::kelo
