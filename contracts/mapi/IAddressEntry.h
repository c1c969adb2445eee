#pragma once

#include <string>

#include "contracts/mapi/IMapiObject.h"

namespace ostrellix::mapi {

// An address-book entry: Type is "SMTP" for Internet addresses, "EX" for
// entries of the organisation's directory; SMTPAddress is the Internet
// address in both cases ("" when unknown).
class IAddressEntry : public virtual IMapiObject {
public:
    virtual std::string EntryID() = 0;
    virtual std::string Name() = 0;
    virtual std::string Address() = 0;
    virtual std::string Type() = 0;
    virtual std::string SMTPAddress() = 0;
};

}  // namespace ostrellix::mapi
