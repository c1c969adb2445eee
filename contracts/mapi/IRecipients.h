#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "contracts/mapi/IRecipient.h"

namespace ostrellix::mapi {

class IRecipients : public virtual Object {
public:
    virtual Ptr<IRecipient> Add(std::string_view name) = 0;
    // A recipient given whole (name, address, address type such as "SMTP",
    // and type 1 To, 2 Cc, 3 Bcc): it needs no lookup to be resolved.
    virtual Ptr<IRecipient> AddEx(std::string_view name, std::string_view address, std::string_view addressType,
                                  std::int32_t type) = 0;
    // Unresolved recipients of one type, one for each name, in one call.
    virtual void AddMultiple(const std::vector<std::string>& names, std::int32_t type) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IRecipient> Item(std::int32_t index) = 0;  // 1-based
    virtual void Remove(std::int32_t index) = 0;            // 1-based
    virtual bool ResolveAll(bool showDialog = false) = 0;
};

}  // namespace ostrellix::mapi
