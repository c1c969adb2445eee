#pragma once

#include <cstdint>
#include <string>

#include "contracts/outlook/IItems.h"

namespace ostrellix::outlook {

// A folder of a message store. FolderPath is its path from the store's
// root ("\\Mailbox - Anna\Calendar").
class IFolder : public virtual Object {
public:
    virtual std::string EntryID() = 0;
    virtual std::string StoreID() = 0;
    virtual std::string Name() = 0;
    virtual std::string FolderPath() = 0;
    virtual std::int32_t DefaultItemType() = 0;
    virtual Ptr<IItems> Items() = 0;
};

}  // namespace ostrellix::outlook
