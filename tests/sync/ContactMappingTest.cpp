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

TEST_F(ContactMappingTest, TheCompanyGoesToTheContactOnly) {
    const auto person = StoredRecord("person", {{"lastname", "Berg"}, {"company", 1}});
    sync->UpdateItemFromRecord(contact, person);
    EXPECT_EQ(contact->CompanyName(), "Nordvik Trading AB");
    auto back = NewRecord("person");
    sync->UpdateRecordFromItem(back, contact);
    EXPECT_TRUE(back->Value("company").IsNull());
}

// The text properties of a contact by the person field that carries their
// label, with a value as Kelo holds it and as Outlook does.
struct ContactText {
    const char* field;
    std::string (outlook::IContactItem::*get)();
    const char* keloValue;
    const char* outlookValue;
};

using C = outlook::IContactItem;
const ContactText kContactTexts[] = {
    {"firstname", &C::FirstName, "Ida Maria", "Ida Maria"},                                          // 30
    {"lastname", &C::LastName, "Berg", "Berg"},                                                      // 31
    {"fullname", &C::FullName, "Ida Maria Berg", "Ida Maria Berg"},                                  // 1
    {"email", &C::Email1Address, "ida@nordvik.se", "ida@nordvik.se"},                                // 23
    {"email2", &C::Email2Address, "ida@home.example", "ida@home.example"},                           // 24
    {"homephone", &C::HomeTelephoneNumber, "13 13", "13 13"},                                        // 13
    {"phone", &C::BusinessTelephoneNumber, "14 14", "14 14"},                                        // 14
    {"mobile", &C::MobileTelephoneNumber, "15 15", "15 15"},                                         // 15
    {"homefax", &C::HomeFaxNumber, "16 16", "16 16"},                                                // 16
    {"fax", &C::BusinessFaxNumber, "17 17", "17 17"},                                                // 17
    {"homeaddress", &C::HomeAddress, "Ekvägen 1\n123 45 Ek", "Ekvägen 1\r\n123 45 Ek"},              // 19
    {"businessaddress", &C::BusinessAddress, "Hamngatan 4\nStockholm", "Hamngatan 4\r\nStockholm"},  // 20
    {"web", &C::BusinessHomePage, "nordvik.se", "nordvik.se"},                                       // 21
    {"personalweb", &C::PersonalHomePage, "ida.example", "ida.example"},                             // 22
    {"jobtitle", &C::JobTitle, "Buyer", "Buyer"},                                                    // 25
    {"nickname", &C::NickName, "Idde", "Idde"},                                                      // 26
};

class ContactLabelTest : public ContactMappingTest {
protected:
    ContactLabelTest() {
        standin::kelo::Schema& schema = world.Client().Data()->Metadata();
        schema.AddField(schema.Require("person"), {.name = "fullname", .label = 1});
    }
};

// Outlook's line breaks come back into the record.
TEST_F(ContactLabelTest, EveryLabelGoesToTheContactAndBack) {
    auto person = NewRecord("person", {{"notes", "Met at the fair"}, {"birthday", Date::FromParts(1985, 3, 14)}});
    for (const ContactText& text : kContactTexts) person->SetValue(text.field, text.keloValue);
    sync->UpdateItemFromRecord(contact, person);
    for (const ContactText& text : kContactTexts) EXPECT_EQ(((*contact).*(text.get))(), text.outlookValue) << text.field;
    EXPECT_EQ(contact->Body(), "Met at the fair");
    EXPECT_EQ(contact->Birthday(), Date::FromParts(1985, 3, 14));

    auto back = NewRecord("person");
    sync->UpdateRecordFromItem(back, contact);
    for (const ContactText& text : kContactTexts) EXPECT_EQ(back->Text(text.field), text.outlookValue) << text.field;
    EXPECT_EQ(back->Text("notes"), "Met at the fair");
    EXPECT_EQ(back->Value("birthday").ToDate(), Date::FromParts(1985, 3, 14));
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
