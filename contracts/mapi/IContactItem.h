#pragma once

#include <string>

#include "contracts/mapi/IMessage.h"

namespace ostrellix::mapi {

// A contact seen through the MAPI library (read without the object model's
// guard on addresses). Birthday is outlook::kNoDate when not set.
class IContactItem : public virtual IMessage {
public:
    virtual std::string FullName() = 0;
    virtual std::string FirstName() = 0;
    virtual std::string LastName() = 0;
    virtual std::string NickName() = 0;
    virtual std::string JobTitle() = 0;
    virtual std::string CompanyName() = 0;
    virtual std::string Email1Address() = 0;
    virtual std::string Email2Address() = 0;
    virtual std::string HomeTelephoneNumber() = 0;
    virtual std::string BusinessTelephoneNumber() = 0;
    virtual std::string MobileTelephoneNumber() = 0;
    virtual std::string HomeFaxNumber() = 0;
    virtual std::string BusinessFaxNumber() = 0;
    virtual std::string HomeAddress() = 0;
    virtual std::string BusinessAddress() = 0;
    virtual std::string PersonalHomePage() = 0;
    virtual std::string BusinessHomePage() = 0;
    virtual Date Birthday() = 0;
};

}  // namespace ostrellix::mapi
