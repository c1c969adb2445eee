#include "standins/outlook/ContactItem.h"

#include <filesystem>

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Attachments.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MailItem.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageFiles.h"

namespace ostrellix::standin::outlook {

namespace {

namespace pt = msg::pt;
namespace tag = msg::tag;

bool Is(std::string_view a, std::string_view b) { return text::EqualsIgnoreCase(a, b); }

const PropertyLocation& HasPictureFlag() {
    static const PropertyLocation flag =
        PropertyLocation::Named(mapi::Lid(msg::psets::Address(), mapi::lid::HasPicture), pt::Boolean);
    return flag;
}

}  // namespace

ContactItem::ContactItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId,
                         std::int64_t revision, SharedMessage data)
    : Item(std::move(instance), std::move(folderEntryId), std::move(entryId), revision, std::move(data)) {}

std::string ContactItem::Text(std::string_view name) { return Value(OutlookProperty::Get(name)).ToString(); }

void ContactItem::SetText(std::string_view name, std::string_view value) {
    Put(OutlookProperty::Get(name), value.empty() ? Variant() : Variant(value));
}

std::string ContactItem::FullName() { return Text("FullName"); }

void ContactItem::SetFullName(std::string_view value) {
    const std::string full = text::Trim(value);
    const std::size_t blank = full.rfind(' ');
    SetText("FullName", full);
    SetText("FirstName", blank == std::string::npos ? std::string() : full.substr(0, blank));
    SetText("LastName", blank == std::string::npos ? full : full.substr(blank + 1));
}

std::string ContactItem::FirstName() { return Text("FirstName"); }

void ContactItem::SetFirstName(std::string_view value) {
    SetText("FirstName", value);
    SetText("FullName", text::Trim(std::string(value) + " " + LastName()));
}

std::string ContactItem::LastName() { return Text("LastName"); }

void ContactItem::SetLastName(std::string_view value) {
    SetText("LastName", value);
    SetText("FullName", text::Trim(FirstName() + " " + std::string(value)));
}

void ContactItem::SetEmail(int which, std::string_view address) {
    const Guid set = msg::psets::Address();
    const std::uint32_t display = which == 1 ? mapi::lid::Email1DisplayName : mapi::lid::Email2DisplayName;
    const std::uint32_t type = which == 1 ? mapi::lid::Email1AddressType : mapi::lid::Email2AddressType;
    SetText(which == 1 ? "Email1Address" : "Email2Address", address);
    msg::PropertyBag& bag = Edit().properties;
    if (address.empty()) {
        bag.RemoveNamed(mapi::Lid(set, display));
        bag.RemoveNamed(mapi::Lid(set, type));
        return;
    }
    const std::string name = FullName();
    const std::string shown = name.empty() ? std::string(address) : name + " (" + std::string(address) + ")";
    bag.SetNamed(mapi::Lid(set, display), {pt::Unicode, Variant(shown)});
    bag.SetNamed(mapi::Lid(set, type), {pt::Unicode, Variant("SMTP")});
}

void ContactItem::SetEmail1Address(std::string_view value) { SetEmail(1, value); }

void ContactItem::SetEmail2Address(std::string_view value) { SetEmail(2, value); }

Date ContactItem::Birthday() { return Value(OutlookProperty::Get("Birthday")).ToDate(); }

void ContactItem::SetBirthday(Date birthday) { Put(OutlookProperty::Get("Birthday"), Variant(birthday)); }

bool ContactItem::HasPicture() { return HasPictureFlag().Read(Read().properties).ToBoolean(); }

void ContactItem::AddPicture(std::string_view path) {
    const std::string file(path);
    msg::AttachmentData picture = outlook::Attachments::FileAttachment(
        "ContactPicture" + std::filesystem::path(file).extension().string(), outlook::Attachments::ReadFile(file));
    picture.properties.Set(mapi::tag::PR_ATTACHMENT_CONTACTPHOTO, Variant(true));
    picture.properties.Set(mapi::tag::PR_ATTACH_HIDDEN, Variant(true));
    msg::MessageData& data = Edit();
    std::erase_if(data.attachments, [](const msg::AttachmentData& attachment) {
        return attachment.properties.GetValue(mapi::tag::PR_ATTACHMENT_CONTACTPHOTO).ToBoolean();
    });
    outlook::Attachments::Append(data, std::move(picture));
    HasPictureFlag().Write(data.properties, Variant(true));
}

Ptr<ol::IItem> ContactItem::ForwardAsVcard() {
    CheckUsable();
    const std::string vcard = Outlook().Files("ContactItem.ForwardAsVcard").ContactVcard(Read());
    Instance& outlook = Outlook();
    const std::string drafts = outlook.Store().DefaultFolder(outlook.Mailbox(), ol::olFolderDrafts).entryId;
    const Ptr<Item> mail = outlook.NewItem(ol::olMailItem, drafts);
    const std::string name = (FullName().empty() ? std::string("Contact") : FullName()) + ".vcf";
    msg::AttachmentData card = outlook::Attachments::FileAttachment(name, Bytes(vcard.begin(), vcard.end()));
    card.properties.Set(tag::PR_ATTACH_MIME_TAG, Variant("text/x-vcard"));
    msg::MessageData& data = mail->Edit();
    data.properties.Set(tag::PR_SUBJECT, Variant(FullName()));
    outlook::Attachments::Append(data, std::move(card));
    return mail;
}

std::string ContactItem::Caption() {
    const std::string name = FullName();
    return (name.empty() ? std::string("Untitled") : name) + " - " + WindowKind();
}

void ContactItem::BeforeStore(msg::MessageData& data) {
    StampCreator(data);
    const Variant fullName = OutlookProperty::Get("FullName").location.Read(data.properties);
    data.properties.Set(tag::PR_SUBJECT, fullName.IsEmpty() ? Variant(std::string()) : fullName);
}

bool ContactItem::SetSpecial(std::string_view name, const Variant& value) {
    if (Is(name, "FullName")) {
        SetFullName(value.ToString());
    } else if (Is(name, "FirstName")) {
        SetFirstName(value.ToString());
    } else if (Is(name, "LastName")) {
        SetLastName(value.ToString());
    } else if (Is(name, "Email1Address")) {
        SetEmail1Address(value.ToString());
    } else if (Is(name, "Email2Address")) {
        SetEmail2Address(value.ToString());
    } else {
        return false;
    }
    return true;
}

std::optional<Variant> ContactItem::GetSpecial(std::string_view name) {
    if (Is(name, "HasPicture")) return Variant(HasPicture());
    return std::nullopt;
}

std::optional<Variant> ContactItem::InvokeSpecial(std::string_view member, const std::vector<Variant>& arguments) {
    if (Is(member, "ForwardAsVcard")) return Variant(ForwardAsVcard());
    if (Is(member, "AddPicture") && arguments.size() == 1) {
        AddPicture(arguments[0].ToString());
        return Variant();
    }
    return std::nullopt;
}

}  // namespace ostrellix::standin::outlook
