#pragma once

#include "contracts/outlook/IContactItem.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::outlook {

// A contact. As in Outlook, the full name and the first and last names
// follow each other (setting the full name splits it at its last blank;
// setting a part makes the full name anew), an e-mail address gets its
// display name and address type, the subject is the full name, and the
// birthday is 4501-01-01 while unset. The picture is a hidden attachment
// marked as the contact's photo.
class ContactItem final : public Item, public ol::IContactItem {
public:
    ContactItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
                SharedMessage data);

    // A contact's subject is its full name.
    std::string Subject() override { return FullName(); }
    std::string FullName() override;
    void SetFullName(std::string_view value) override;
    std::string FirstName() override;
    void SetFirstName(std::string_view value) override;
    std::string LastName() override;
    void SetLastName(std::string_view value) override;
    std::string NickName() override { return Text("NickName"); }
    void SetNickName(std::string_view value) override { SetText("NickName", value); }
    std::string JobTitle() override { return Text("JobTitle"); }
    void SetJobTitle(std::string_view value) override { SetText("JobTitle", value); }
    std::string CompanyName() override { return Text("CompanyName"); }
    void SetCompanyName(std::string_view value) override { SetText("CompanyName", value); }
    std::string Email1Address() override { return Text("Email1Address"); }
    void SetEmail1Address(std::string_view value) override;
    std::string Email2Address() override { return Text("Email2Address"); }
    void SetEmail2Address(std::string_view value) override;
    std::string HomeTelephoneNumber() override { return Text("HomeTelephoneNumber"); }
    void SetHomeTelephoneNumber(std::string_view value) override { SetText("HomeTelephoneNumber", value); }
    std::string BusinessTelephoneNumber() override { return Text("BusinessTelephoneNumber"); }
    void SetBusinessTelephoneNumber(std::string_view value) override { SetText("BusinessTelephoneNumber", value); }
    std::string MobileTelephoneNumber() override { return Text("MobileTelephoneNumber"); }
    void SetMobileTelephoneNumber(std::string_view value) override { SetText("MobileTelephoneNumber", value); }
    std::string HomeFaxNumber() override { return Text("HomeFaxNumber"); }
    void SetHomeFaxNumber(std::string_view value) override { SetText("HomeFaxNumber", value); }
    std::string BusinessFaxNumber() override { return Text("BusinessFaxNumber"); }
    void SetBusinessFaxNumber(std::string_view value) override { SetText("BusinessFaxNumber", value); }
    std::string HomeAddress() override { return Text("HomeAddress"); }
    void SetHomeAddress(std::string_view value) override { SetText("HomeAddress", value); }
    std::string BusinessAddress() override { return Text("BusinessAddress"); }
    void SetBusinessAddress(std::string_view value) override { SetText("BusinessAddress", value); }
    std::string PersonalHomePage() override { return Text("PersonalHomePage"); }
    void SetPersonalHomePage(std::string_view value) override { SetText("PersonalHomePage", value); }
    std::string BusinessHomePage() override { return Text("BusinessHomePage"); }
    void SetBusinessHomePage(std::string_view value) override { SetText("BusinessHomePage", value); }
    Date Birthday() override;
    void SetBirthday(Date birthday) override;

    bool HasPicture() override;
    void AddPicture(std::string_view path) override;
    Ptr<ol::IItem> ForwardAsVcard() override;

    std::string Caption() override;

protected:
    unsigned Kind() const override { return kinds::Contact; }
    std::string WindowKind() override { return "Contact"; }
    void BeforeStore(msg::MessageData& data) override;
    bool SetSpecial(std::string_view name, const Variant& value) override;
    std::optional<Variant> GetSpecial(std::string_view name) override;
    std::optional<Variant> InvokeSpecial(std::string_view member, const std::vector<Variant>& arguments) override;

private:
    std::string Text(std::string_view name);
    void SetText(std::string_view name, std::string_view value);
    void SetEmail(int which, std::string_view address);
};

}  // namespace ostrellix::standin::outlook
