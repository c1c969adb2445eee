#include <filesystem>
#include <fstream>

#include "contracts/kelo/IDocument.h"
#include "contracts/outlook/Constants.h"
#include "core/Tools.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

class ContactMappingTest : public SyncTest {
protected:
    Ptr<outlook::IContactItem> contact = NewItem<outlook::IContactItem>(outlook::olContactItem);

    static std::string PictureFileName(const Ptr<outlook::IContactItem>& item) {
        const auto attachments = item->Attachments();
        for (std::int32_t i = 1; i <= attachments->Count(); ++i) {
            const std::string name = attachments->Item(i)->FileName();
            if (name.starts_with("ContactPicture")) return name;
        }
        return {};
    }
};

TEST_F(ContactMappingTest, PersonToContactAndBack) {
    const auto person = StoredRecord("person", {{"firstname", "Ida"},
                                                {"lastname", "Berg"},
                                                {"email", "ida.berg@nordvik.se"},
                                                {"mobile", "+46 70 555 11 22"},
                                                {"jobtitle", "Buyer"},
                                                {"birthday", Date::FromParts(1985, 3, 14)},
                                                {"businessaddress", "Hamngatan 4\n111 47 Stockholm"},
                                                {"company", 1}});
    sync->UpdateItemFromRecord(contact, person);
    EXPECT_EQ(contact->FirstName(), "Ida");
    EXPECT_EQ(contact->LastName(), "Berg");
    EXPECT_EQ(contact->Email1Address(), "ida.berg@nordvik.se");
    EXPECT_EQ(contact->JobTitle(), "Buyer");
    EXPECT_EQ(contact->Birthday(), Date::FromParts(1985, 3, 14));
    EXPECT_EQ(contact->BusinessAddress(), "Hamngatan 4\r\n111 47 Stockholm");
    EXPECT_EQ(contact->CompanyName(), "Nordvik Trading AB");

    auto back = NewRecord("person");
    sync->UpdateRecordFromItem(back, contact);
    for (const char* field : {"firstname", "lastname", "email", "mobile", "jobtitle", "birthday"}) {
        EXPECT_EQ(back->Text(field), person->Text(field)) << field;
    }
    EXPECT_EQ(back->Text("businessaddress"), "Hamngatan 4\r\n111 47 Stockholm");  // Outlook's line breaks kept
    EXPECT_TRUE(back->Value("company").IsNull());  // the company goes one way only
}

// The text properties of a contact by the person field that carries their
// label, with a value as Kelo holds it and as Outlook does.
struct ContactText {
    const char* field;
    std::string (outlook::IContactItem::*get)();
    void (outlook::IContactItem::*set)(std::string_view);
    const char* keloValue;
    const char* outlookValue;
};

using C = outlook::IContactItem;
const ContactText kContactTexts[] = {
    {"firstname", &C::FirstName, &C::SetFirstName, "Ida Maria", "Ida Maria"},                    // 30
    {"lastname", &C::LastName, &C::SetLastName, "Berg", "Berg"},                                   // 31
    {"fullname", &C::FullName, &C::SetFullName, "Ida Maria Berg", "Ida Maria Berg"},             // 1
    {"email", &C::Email1Address, &C::SetEmail1Address, "ida@nordvik.se", "ida@nordvik.se"},       // 23
    {"email2", &C::Email2Address, &C::SetEmail2Address, "ida@home.example", "ida@home.example"},  // 24
    {"homephone", &C::HomeTelephoneNumber, &C::SetHomeTelephoneNumber, "13 13", "13 13"},        // 13
    {"phone", &C::BusinessTelephoneNumber, &C::SetBusinessTelephoneNumber, "14 14", "14 14"},     // 14
    {"mobile", &C::MobileTelephoneNumber, &C::SetMobileTelephoneNumber, "15 15", "15 15"},        // 15
    {"homefax", &C::HomeFaxNumber, &C::SetHomeFaxNumber, "16 16", "16 16"},                       // 16
    {"fax", &C::BusinessFaxNumber, &C::SetBusinessFaxNumber, "17 17", "17 17"},                   // 17
    {"homeaddress", &C::HomeAddress, &C::SetHomeAddress, "Ekvägen 1\n123 45 Ek", "Ekvägen 1\r\n123 45 Ek"},  // 19
    {"businessaddress", &C::BusinessAddress, &C::SetBusinessAddress, "Hamngatan 4\nStockholm",
     "Hamngatan 4\r\nStockholm"},                                                                  // 20
    {"web", &C::BusinessHomePage, &C::SetBusinessHomePage, "nordvik.se", "nordvik.se"},             // 21
    {"personalweb", &C::PersonalHomePage, &C::SetPersonalHomePage, "ida.example", "ida.example"},  // 22
    {"jobtitle", &C::JobTitle, &C::SetJobTitle, "Buyer", "Buyer"},                                  // 25
    {"nickname", &C::NickName, &C::SetNickName, "Idde", "Idde"},                                    // 26
};

class ContactLabelTest : public ContactMappingTest {
protected:
    ContactLabelTest() {
        standin::kelo::Schema& schema = world.Client().Data()->Metadata();
        schema.AddField(schema.Require("person"), {.name = "fullname", .label = 1});
    }
};

TEST_F(ContactLabelTest, EveryLabelFromRecordToContact) {
    auto person = NewRecord("person", {{"notes", "Met at the fair"}, {"birthday", Date::FromParts(1985, 3, 14)}});
    for (const ContactText& text : kContactTexts) person->SetValue(text.field, text.keloValue);
    sync->UpdateItemFromRecord(contact, person);
    for (const ContactText& text : kContactTexts) EXPECT_EQ(((*contact).*(text.get))(), text.outlookValue) << text.field;
    EXPECT_EQ(contact->Body(), "Met at the fair");
    EXPECT_EQ(contact->Birthday(), Date::FromParts(1985, 3, 14));
}

TEST_F(ContactLabelTest, EveryLabelFromContactToRecord) {
    for (const ContactText& text : kContactTexts) ((*contact).*(text.set))(text.outlookValue);
    contact->SetBody("Met at the fair");
    contact->SetBirthday(Date::FromParts(1985, 3, 14));
    contact->Save();
    auto person = NewRecord("person");
    sync->UpdateRecordFromItem(person, contact);
    for (const ContactText& text : kContactTexts) EXPECT_EQ(person->Text(text.field), text.outlookValue) << text.field;
    EXPECT_EQ(person->Text("notes"), "Met at the fair");
    EXPECT_EQ(person->Value("birthday").ToDate(), Date::FromParts(1985, 3, 14));
}

TEST_F(ContactMappingTest, ABirthdayKeptAsTextReachesOutlookAsADate) {
    standin::kelo::Schema& schema = world.Client().Data()->Metadata();
    const auto lead = schema.AddClass({"lead", "Lead", "Leads", kelo::classlabel::Person, "<name>"});
    schema.AddField(lead, {.name = "name", .label = 31});
    schema.AddField(lead, {.name = "born", .label = 18});
    sync->UpdateItemFromRecord(contact, NewRecord("lead", {{"name", "Berg"}, {"born", "1985-03-14"}}));
    EXPECT_EQ(contact->Birthday(), Date::FromParts(1985, 3, 14));
    EXPECT_EQ(contact->LastName(), "Berg");
}

TEST_F(ContactMappingTest, BirthdaysBeyondTheYear4000AreNoDate) {
    auto person = NewRecord("person", {{"lastname", "Berg"}});
    sync->UpdateItemFromRecord(contact, person);
    EXPECT_EQ(contact->Birthday(), outlook::kNoDate);
    sync->UpdateRecordFromItem(person, contact);
    EXPECT_TRUE(person->Value("birthday").IsNull());

    contact->SetBirthday(Date::FromParts(4000, 1, 1));
    contact->Save();
    sync->UpdateRecordFromItem(person, contact);
    EXPECT_EQ(person->Value("birthday").ToDate(), Date::FromParts(4000, 1, 1));
}

TEST_F(ContactMappingTest, ACoworkersPictureGoesOnlyToAContactWithoutOne) {
    auto document = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    document->SetName("anna");
    document->SetExtension("jpg");
    document->SetData(Bytes{0xFF, 0xD8, 0xFF, 0xD9});
    auto coworker = StoredRecord("coworker", {{"lastname", "Lindkvist"}, {"picture", document}});

    sync->UpdateItemFromRecord(contact, coworker);
    EXPECT_TRUE(contact->HasPicture());
    EXPECT_EQ(PictureFileName(contact), "ContactPicture.jpg");
    for (const auto& entry : std::filesystem::directory_iterator(world.Folder() / "work")) {
        EXPECT_NE(entry.path().extension(), ".jpg") << "left behind: " << entry.path();
    }

    auto other = NewItem<outlook::IContactItem>(outlook::olContactItem);
    const std::string own = Tools::MakeTempFileName("png");
    std::ofstream(own, std::ios::binary) << "png";
    other->AddPicture(own);
    std::remove(own.c_str());
    sync->UpdateItemFromRecord(other, coworker);
    EXPECT_EQ(PictureFileName(other), "ContactPicture.png");
    EXPECT_EQ(other->LastName(), "Lindkvist");  // the rest is copied still
}

}  // namespace
}  // namespace ostrellix::addin
