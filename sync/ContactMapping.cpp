#include "sync/ContactMapping.h"

#include <cstdio>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/mapi/IContactItem.h"
#include "contracts/outlook/Constants.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"
#include "sync/FieldValues.h"
#include "sync/MapiView.h"

namespace ostrellix::addin {

namespace {

// The contact's text properties by field label.
struct TextProperty {
    std::int32_t label;
    std::string (mapi::IContactItem::*get)();
    void (outlook::IContactItem::*set)(std::string_view);
};

constexpr TextProperty kTextProperties[] = {
    {1, &mapi::IContactItem::FullName, &outlook::IContactItem::SetFullName},
    {13, &mapi::IContactItem::HomeTelephoneNumber, &outlook::IContactItem::SetHomeTelephoneNumber},
    {14, &mapi::IContactItem::BusinessTelephoneNumber, &outlook::IContactItem::SetBusinessTelephoneNumber},
    {15, &mapi::IContactItem::MobileTelephoneNumber, &outlook::IContactItem::SetMobileTelephoneNumber},
    {16, &mapi::IContactItem::HomeFaxNumber, &outlook::IContactItem::SetHomeFaxNumber},
    {17, &mapi::IContactItem::BusinessFaxNumber, &outlook::IContactItem::SetBusinessFaxNumber},
    {19, &mapi::IContactItem::HomeAddress, &outlook::IContactItem::SetHomeAddress},
    {20, &mapi::IContactItem::BusinessAddress, &outlook::IContactItem::SetBusinessAddress},
    {21, &mapi::IContactItem::BusinessHomePage, &outlook::IContactItem::SetBusinessHomePage},
    {22, &mapi::IContactItem::PersonalHomePage, &outlook::IContactItem::SetPersonalHomePage},
    {23, &mapi::IContactItem::Email1Address, &outlook::IContactItem::SetEmail1Address},
    {24, &mapi::IContactItem::Email2Address, &outlook::IContactItem::SetEmail2Address},
    {25, &mapi::IContactItem::JobTitle, &outlook::IContactItem::SetJobTitle},
    {26, &mapi::IContactItem::NickName, &outlook::IContactItem::SetNickName},
    {30, &mapi::IContactItem::FirstName, &outlook::IContactItem::SetFirstName},
    {31, &mapi::IContactItem::LastName, &outlook::IContactItem::SetLastName},
};

constexpr std::int32_t kNotesLabel = 8;
constexpr std::int32_t kBirthdayLabel = 18;
constexpr std::int32_t kHomeAddressLabel = 19;
constexpr std::int32_t kBusinessAddressLabel = 20;

const TextProperty* TextPropertyOf(std::int32_t label) {
    for (const TextProperty& property : kTextProperties) {
        if (property.label == label) return &property;
    }
    return nullptr;
}

bool IsPictureField(kelo::IField& field) {
    return field.Type() == kelo::fieldtype::Document && field.Attribute("type").ToString() == "2";
}

void AddPicture(const Ptr<outlook::IContactItem>& item, kelo::IRecord& record, kelo::IField& field) {
    if (item->HasPicture()) return;
    const auto document = record.Value(field.Name()).ToObjectAs<kelo::IDocument>();
    if (!document) return;
    const std::string path = Tools::MakeTempFileName(document->Extension());
    PassOn(
        [&] {
            document->SaveToFile(path);
            item->AddPicture(path);
        },
        [&] { std::remove(path.c_str()); });
    std::remove(path.c_str());
}

}  // namespace

void ContactMapping::ToRecord(kelo::IRecord& record, const Ptr<outlook::IContactItem>& item) {
    const auto view = MapiView::OpenAs<mapi::IContactItem>(item);
    const auto fields = record.Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        IgnoreErrors([&] {
            const auto field = fields->Item(i);
            const std::int32_t label = field->Label();
            if (label == kNotesLabel) {
                record.SetValue(field->Name(), FieldValues::CutToMaxLength(view->Body(), *field));
            } else if (label == kBirthdayLabel) {
                const Date birthday = view->Birthday();
                record.SetValue(field->Name(), birthday.Year() > 4000 ? Variant::Null() : Variant(birthday));
            } else if (const TextProperty* property = TextPropertyOf(label)) {
                record.SetValue(field->Name(), ((*view).*(property->get))());
            }
        });
    }
}

void ContactMapping::ToItem(const Ptr<outlook::IContactItem>& item, kelo::IRecord& record) {
    const auto fields = record.Class()->Fields();
    const bool coworker = record.Class()->Label() == kelo::classlabel::Coworker;
    bool pictureSeen = false;
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        IgnoreErrors([&] {
            const auto field = fields->Item(i);
            const std::int32_t label = field->Label();
            const std::string name = field->Name();
            if (coworker && !pictureSeen && IsPictureField(*field)) {
                pictureSeen = true;  // the first picture field is the picture
                AddPicture(item, record, *field);
            } else if (FieldValues::IsRelationTo(*field, kelo::classlabel::Company)) {
                item->SetCompanyName(record.Text(name));
            } else if (label == kNotesLabel) {
                item->SetBody(record.Text(name));
            } else if (label == kBirthdayLabel) {
                if (field->ValueType() == Variant::Type::Date) {
                    const Variant value = record.Value(name);
                    item->SetBirthday(value.IsNull() ? outlook::kNoDate : value.ToDate());
                } else if (field->ValueType() == Variant::Type::String) {
                    item->SetBirthday(Variant(record.Text(name)).ToDate());
                }
            } else if (const TextProperty* property = TextPropertyOf(label)) {
                std::string value = record.Text(name);
                // Outlook keeps address lines apart with CR LF.
                if (label == kHomeAddressLabel || label == kBusinessAddressLabel) value = text::Replace(value, "\n", "\r\n");
                ((*item).*(property->set))(value);
            }
        });
    }
}

}  // namespace ostrellix::addin
