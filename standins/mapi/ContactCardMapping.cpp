#include "standins/mapi/ContactCardMapping.h"

#include <filesystem>

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/OutlookProperty.h"

namespace ostrellix::standin::mapi {

namespace {

std::string Text(const msg::PropertyBag& bag, std::string_view name) {
    const Variant value = outlook::OutlookProperty::Get(name).location.Read(bag);
    return value.IsString() ? value.ToString() : std::string();
}

std::string MediaType(const std::string& fileName) {
    const std::string extension = text::LCase(std::filesystem::path(fileName).extension().string());
    if (extension == ".jpg" || extension == ".jpeg") return "image/jpeg";
    if (extension == ".png") return "image/png";
    if (extension == ".gif") return "image/gif";
    if (extension == ".bmp") return "image/bmp";
    return {};  // the writer tells by the bytes
}

}  // namespace

msg::ContactCard ContactCardMapping::FromContact(const msg::MessageData& contact) {
    const msg::PropertyBag& bag = contact.properties;
    msg::ContactCard card;
    card.fullName = Text(bag, "FullName");
    card.firstName = Text(bag, "FirstName");
    card.lastName = Text(bag, "LastName");
    card.nickname = Text(bag, "NickName");
    card.jobTitle = Text(bag, "JobTitle");
    card.company = Text(bag, "CompanyName");
    card.email1 = Text(bag, "Email1Address");
    card.email2 = Text(bag, "Email2Address");
    card.homePhone = Text(bag, "HomeTelephoneNumber");
    card.businessPhone = Text(bag, "BusinessTelephoneNumber");
    card.mobilePhone = Text(bag, "MobileTelephoneNumber");
    card.homeFax = Text(bag, "HomeFaxNumber");
    card.businessFax = Text(bag, "BusinessFaxNumber");
    card.homeAddress.street = Text(bag, "HomeAddress");
    card.businessAddress.street = Text(bag, "BusinessAddress");
    card.personalHomePage = Text(bag, "PersonalHomePage");
    card.businessHomePage = Text(bag, "BusinessHomePage");
    card.notes = bag.GetValue(msg::tag::PR_BODY).IsString() ? bag.GetValue(msg::tag::PR_BODY).ToString() : "";
    const Variant birthday = outlook::OutlookProperty::Get("Birthday").location.Read(bag);
    if (birthday.IsDate() && birthday.ToDate() != ol::kNoDate) card.birthday = birthday.ToDate().DatePart();
    for (const msg::AttachmentData& attachment : contact.attachments) {
        const msg::PropertyBag& properties = attachment.properties;
        const Variant bytes = properties.GetValue(msg::tag::PR_ATTACH_DATA_BIN);
        if (!properties.GetValue(names::tag::PR_ATTACHMENT_CONTACTPHOTO).ToBoolean() ||
            bytes.VarType() != Variant::Type::ByteArray) {
            continue;
        }
        card.photo = bytes.ToBytes();
        card.photoMediaType = MediaType(properties.GetValue(msg::tag::PR_ATTACH_LONG_FILENAME).ToString());
    }
    return card;
}

}  // namespace ostrellix::standin::mapi
