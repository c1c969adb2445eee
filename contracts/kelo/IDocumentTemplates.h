#pragma once

#include <cstdint>

#include "contracts/kelo/IDocumentTemplate.h"

namespace ostrellix::kelo {

// A collection of document templates ("QVR.DocumentTemplates"): the
// database's, or one built by adding.
class IDocumentTemplates : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IDocumentTemplate> Item(std::int32_t index) = 0;  // 1-based
    virtual void Add(const Ptr<IDocumentTemplate>& documentTemplate) = 0;
};

}  // namespace ostrellix::kelo
