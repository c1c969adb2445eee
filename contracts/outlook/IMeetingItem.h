#pragma once

#include "contracts/outlook/IItem.h"

namespace ostrellix::outlook {

// A meeting request or response in a mail folder.
class IMeetingItem : public virtual IItem {
public:
    virtual std::string SenderName() = 0;
};

}  // namespace ostrellix::outlook
