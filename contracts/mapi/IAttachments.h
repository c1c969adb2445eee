#pragma once

#include <cstdint>

#include "contracts/mapi/IAttachment.h"
#include "runtime/Variant.h"

namespace ostrellix::mapi {

class IAttachments : public virtual Object {
public:
    // A file path (type 1), or a message to embed (type 5).
    virtual Ptr<IAttachment> Add(const Variant& source, std::int32_t type = 1) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IAttachment> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::mapi
