#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IAttachment.h"
#include "runtime/Variant.h"

namespace ostrellix::outlook {

// The attachments of an item, in order. Add takes a file path (olByValue),
// or an item object to embed (olEmbeddeditem); the position (in the body)
// is accepted and not used; without a display name the file's name is shown.
class IAttachments : public virtual Object {
public:
    virtual Ptr<IAttachment> Add(const Variant& source, std::int32_t type = 1, std::int32_t position = 0,
                                 std::string_view displayName = {}) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IAttachment> Item(std::int32_t index) = 0;  // 1-based
    virtual void Remove(std::int32_t index) = 0;
};

}  // namespace ostrellix::outlook
