#pragma once

#include <string>

#include "contracts/mapi/IMessage.h"

namespace ostrellix::mapi {

// A task seen through the MAPI library.
class ITaskItem : public virtual IMessage {
public:
    virtual Date StartDate() = 0;
    virtual Date DueDate() = 0;
    virtual bool Complete() = 0;
    virtual std::string Owner() = 0;
};

}  // namespace ostrellix::mapi
