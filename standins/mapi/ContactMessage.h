#pragma once

#include "contracts/mapi/IContactItem.h"
#include "standins/mapi/Message.h"

namespace ostrellix::standin::mapi {

// A contact seen through the library, read without Outlook's guard on
// addresses; its properties are where Outlook keeps them.
class ContactMessage final : public Message, public api::IContactItem {
public:
    using Message::Message;

    std::string FullName() override { return OutlookText("FullName"); }
    std::string FirstName() override { return OutlookText("FirstName"); }
    std::string LastName() override { return OutlookText("LastName"); }
    std::string NickName() override { return OutlookText("NickName"); }
    std::string JobTitle() override { return OutlookText("JobTitle"); }
    std::string CompanyName() override { return OutlookText("CompanyName"); }
    std::string Email1Address() override { return OutlookText("Email1Address"); }
    std::string Email2Address() override { return OutlookText("Email2Address"); }
    std::string HomeTelephoneNumber() override { return OutlookText("HomeTelephoneNumber"); }
    std::string BusinessTelephoneNumber() override { return OutlookText("BusinessTelephoneNumber"); }
    std::string MobileTelephoneNumber() override { return OutlookText("MobileTelephoneNumber"); }
    std::string HomeFaxNumber() override { return OutlookText("HomeFaxNumber"); }
    std::string BusinessFaxNumber() override { return OutlookText("BusinessFaxNumber"); }
    std::string HomeAddress() override { return OutlookText("HomeAddress"); }
    std::string BusinessAddress() override { return OutlookText("BusinessAddress"); }
    std::string PersonalHomePage() override { return OutlookText("PersonalHomePage"); }
    std::string BusinessHomePage() override { return OutlookText("BusinessHomePage"); }
    Date Birthday() override { return OutlookValue("Birthday").ToDate(); }
};

}  // namespace ostrellix::standin::mapi
