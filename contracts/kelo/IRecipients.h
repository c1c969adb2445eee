#pragma once

#include <cstdint>

#include "contracts/kelo/IRecipient.h"

namespace ostrellix::kelo {

// The recipients of a mail the client hands over, in order.
class IRecipients : public virtual Object {
public:
    virtual std::int32_t Count() = 0;
    virtual Ptr<IRecipient> Item(std::int32_t index) = 0;  // 1-based; raises 9 out of range
};

}  // namespace ostrellix::kelo
