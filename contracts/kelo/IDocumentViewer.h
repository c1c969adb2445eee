#pragma once

#include <cstdint>

#include "contracts/kelo/IDocument.h"
#include "runtime/Variant.h"

namespace ostrellix::kelo {

// Shows and prints the client's documents of the kinds it supports.
class IDocumentViewer : public virtual Object {
public:
    virtual void IDocumentViewer_Open(const Ptr<IDocument>& document) = 0;
    virtual void IDocumentViewer_PrintOut(const Ptr<IDocument>& document) = 0;
    // Kind 1: the file extension `value` is one the viewer shows; the other
    // kinds are the client's questions about what it may do with them.
    virtual bool IDocumentViewer_Supports(std::int32_t kind, const Variant& value) = 0;
};

}  // namespace ostrellix::kelo
