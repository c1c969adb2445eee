#pragma once

#include <string_view>

#include "contracts/mapi/IAddressEntry.h"

namespace ostrellix::mapi {

// The session's address book.
class IAddressBook : public virtual Object {
public:
    // The one entry whose name or address matches; nothing when none or several do.
    virtual Ptr<IAddressEntry> ResolveName(std::string_view name) = 0;
};

}  // namespace ostrellix::mapi
