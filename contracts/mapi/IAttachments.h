#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/mapi/IAttachment.h"
#include "runtime/Variant.h"

namespace ostrellix::mapi {

class IAttachments : public virtual Object {
public:
    // A file path (type 1), or a message to embed (type 5); the position
    // (in the body) is accepted and not used; without a display name the
    // file's name (the message's subject) is shown.
    virtual Ptr<IAttachment> Add(const Variant& source, std::int32_t type = 1, std::int32_t position = 0,
                                 std::string_view displayName = {}) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IAttachment> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::mapi
