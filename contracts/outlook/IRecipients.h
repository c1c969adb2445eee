#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IRecipient.h"

namespace ostrellix::outlook {

// The recipients of an item, in order.
class IRecipients : public virtual Object {
public:
    virtual Ptr<IRecipient> Add(std::string_view name) = 0;  // a To recipient
    virtual std::int32_t Count() = 0;
    virtual Ptr<IRecipient> Item(std::int32_t index) = 0;  // 1-based
    virtual void Remove(std::int32_t index) = 0;
    virtual bool ResolveAll() = 0;
};

}  // namespace ostrellix::outlook
