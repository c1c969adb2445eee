#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/mapi/IMessage.h"

namespace ostrellix::mapi {

// The messages of a folder.
class IMessages : public virtual Object {
public:
    // A new unsaved message of that class ("IPM.Note") in the folder.
    virtual Ptr<IMessage> Add(std::string_view messageClass) = 0;
    virtual std::int32_t Count() = 0;
    virtual Ptr<IMessage> Item(std::int32_t index) = 0;  // 1-based
};

}  // namespace ostrellix::mapi
