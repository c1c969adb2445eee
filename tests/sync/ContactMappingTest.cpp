#include <filesystem>
#include <fstream>

#include "contracts/kelo/IDocument.h"
#include "contracts/outlook/Constants.h"
#include "core/Tools.h"
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
