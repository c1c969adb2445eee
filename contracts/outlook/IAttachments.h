#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IAttachment.h"
#include "runtime/Variant.h"

namespace ostrellix::outlook {

// The attachments of an item, in order. Add takes a file path, or an item
// object to embed.
class IAttachments : public virtual Object {
public:
    virtual Ptr<IAttachment> Add(const Variant& source, std::int32_t type = 1, std::string_view displayName = {}) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IAttachment> Item(std::int32_t index) = 0;  // 1-based
    virtual void Remove(std::int32_t index) = 0;
};

}  // namespace ostrellix::outlook
