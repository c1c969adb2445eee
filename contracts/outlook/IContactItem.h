#pragma once

#include <string>
#include <string_view>

#include "contracts/outlook/IItem.h"

namespace ostrellix::outlook {

// A contact. Birthday is kNoDate when not set. Addresses hold their lines
// separated by CR LF.
class IContactItem : public virtual IItem {
public:
    virtual std::string FullName() = 0;
    virtual void SetFullName(std::string_view value) = 0;
    virtual std::string FirstName() = 0;
    virtual void SetFirstName(std::string_view value) = 0;
    virtual std::string LastName() = 0;
    virtual void SetLastName(std::string_view value) = 0;
    virtual std::string NickName() = 0;
    virtual void SetNickName(std::string_view value) = 0;
    virtual std::string JobTitle() = 0;
    virtual void SetJobTitle(std::string_view value) = 0;
    virtual std::string CompanyName() = 0;
    virtual void SetCompanyName(std::string_view value) = 0;
    virtual std::string Email1Address() = 0;
    virtual void SetEmail1Address(std::string_view value) = 0;
    virtual std::string Email2Address() = 0;
    virtual void SetEmail2Address(std::string_view value) = 0;
    virtual std::string HomeTelephoneNumber() = 0;
    virtual void SetHomeTelephoneNumber(std::string_view value) = 0;
    virtual std::string BusinessTelephoneNumber() = 0;
    virtual void SetBusinessTelephoneNumber(std::string_view value) = 0;
    virtual std::string MobileTelephoneNumber() = 0;
    virtual void SetMobileTelephoneNumber(std::string_view value) = 0;
    virtual std::string HomeFaxNumber() = 0;
    virtual void SetHomeFaxNumber(std::string_view value) = 0;
    virtual std::string BusinessFaxNumber() = 0;
    virtual void SetBusinessFaxNumber(std::string_view value) = 0;
    virtual std::string HomeAddress() = 0;
    virtual void SetHomeAddress(std::string_view value) = 0;
    virtual std::string BusinessAddress() = 0;
    virtual void SetBusinessAddress(std::string_view value) = 0;
    virtual std::string PersonalHomePage() = 0;
    virtual void SetPersonalHomePage(std::string_view value) = 0;
    virtual std::string BusinessHomePage() = 0;
    virtual void SetBusinessHomePage(std::string_view value) = 0;
    virtual Date Birthday() = 0;
    virtual void SetBirthday(Date birthday) = 0;

    virtual bool HasPicture() = 0;
    virtual void AddPicture(std::string_view path) = 0;
    // A new mail carrying this contact as a vCard attachment.
    virtual Ptr<IItem> ForwardAsVcard() = 0;
};

}  // namespace ostrellix::outlook
