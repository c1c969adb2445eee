#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/mapi/IRecipient.h"

namespace ostrellix::mapi {

class IRecipients : public virtual Object {
public:
    virtual Ptr<IRecipient> Add(std::string_view name) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IRecipient> Item(std::int32_t index) = 0;  // 1-based
    virtual void Remove(std::int32_t index) = 0;            // 1-based
    virtual bool ResolveAll(bool showDialog = false) = 0;
};

}  // namespace ostrellix::mapi
