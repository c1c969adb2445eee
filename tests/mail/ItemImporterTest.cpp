#include <gmock/gmock.h>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "tests/mail/MailFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::mailtest {
namespace {

using ostrellix::testing::Raised;

// An Outlook item of a kind that is never filed (a note, a journal entry).
class OtherItem : public outlook::IItem {
public:
    MOCK_METHOD(std::string, EntryID, (), (override));
    MOCK_METHOD(std::string, MessageClass, (), (override));
    MOCK_METHOD(std::string, Subject, (), (override));
    MOCK_METHOD(void, SetSubject, (std::string_view), (override));
    MOCK_METHOD(std::string, Body, (), (override));
    MOCK_METHOD(void, SetBody, (std::string_view), (override));
    MOCK_METHOD(std::string, Categories, (), (override));
    MOCK_METHOD(void, SetCategories, (std::string_view), (override));
    MOCK_METHOD(Date, CreationTime, (), (override));
    MOCK_METHOD(Date, LastModificationTime, (), (override));
    MOCK_METHOD(bool, Saved, (), (override));
    MOCK_METHOD(Ptr<outlook::IUserProperties>, UserProperties, (), (override));
    MOCK_METHOD(Ptr<outlook::IAttachments>, Attachments, (), (override));
    MOCK_METHOD(Ptr<outlook::IPropertyAccessor>, PropertyAccessor, (), (override));
    MOCK_METHOD(Ptr<outlook::IFolder>, Parent, (), (override));
    MOCK_METHOD(void, Save, (), (override));
    MOCK_METHOD(void, Display, (bool), (override));
    MOCK_METHOD(void, Close, (std::int32_t), (override));
    MOCK_METHOD(void, Delete, (), (override));
    MOCK_METHOD(void, PrintOut, (), (override));
    MOCK_METHOD(Ptr<outlook::IItem>, Move, (const Ptr<outlook::IFolder>&), (override));
    MOCK_METHOD(Ptr<outlook::IInspector>, GetInspector, (), (override));
    MOCK_METHOD(outlook::ItemEvents&, Events, (), (override));
};

class ItemImporterTest : public MailTest {
protected:
    Ptr<outlook::IContactItem> Contact(std::string_view email, std::string_view company) {
        const auto contact = Cast<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
        contact->SetLastName("Contact");
        contact->SetEmail1Address(email);
        contact->SetCompanyName(company);
        contact->Save();
        return contact;
    }
    static constexpr const char* kNotFound = "4|Synchronizer.FindRecordFromItem||Did not find a record.";
};

TEST_F(ItemImporterTest, AnItemsMarksNameItsRecordOnlyInThisDatabase) {
    const auto lena = Find("person", "lastname", Variant("Virtanen"));
    const auto contact = Contact("lena@tallbacka.com", "");
    const auto mark = [&](const std::string& id, const std::string& database) {
        sync->SetItemProperty(contact, "KeloID", Variant(id));
        sync->SetItemProperty(contact, "KeloDatabase", Variant(database));
        return sync->FindRecordFromItem(contact);
    };
    const std::string here = sync->DatabaseTag();
    const std::string id = "person:" + std::to_string(lena->ID());
    EXPECT_EQ(mark(id, here)->ID(), lena->ID());
    const auto entries = world.KeloLog().size();
    for (const auto& [keloId, database] : std::vector<std::pair<std::string, std::string>>{
             {id, "otherserver.otherdatabase"}, {"person:99999", here}, {"nosuchclass:1", here}, {"person", here},
             {"person:x", here}}) {
        EXPECT_FALSE(mark(keloId, database)) << keloId << " in " << database;
    }
    const auto log = world.KeloLog();
    EXPECT_EQ(log.size(), entries + 5);
    EXPECT_EQ(log.back(), kNotFound);
}

TEST_F(ItemImporterTest, OnlyContactsTasksAppointmentsAndMailAreImported) {
    const auto error =
        Raised([&] { sync->ImportRecordFromItem(std::make_shared<::testing::NiceMock<OtherItem>>(), nullptr); });
    ASSERT_TRUE(error) << "a note was imported";
    EXPECT_EQ(error->Number(), 9999);
    EXPECT_EQ(error->Description(), "Du kan endast spara kontakter, uppgifter, kalenderposter och e-postmeddelande i Kelo.");
}

TEST_F(ItemImporterTest, AContactIsTheKnownPersonOrANewOneLinkedToItsCompany) {
    // Known by address, moved to the company the contact names.
    const auto lena = Find("person", "lastname", Variant("Virtanen"));
    auto record = sync->ImportRecordFromItem(Contact("lena@tallbacka.com", "Brisa Logistics"), nullptr);
    EXPECT_EQ(record->ID(), lena->ID());
    EXPECT_EQ(record->Text("company"), "Brisa Logistics");

    // New, in a company's window: linked to that company, whatever the contact says.
    const auto window = world.User().OpenRecord("company", Find("company", "name", Variant("Tallbacka Konsult"))->ID());
    record = sync->ImportRecordFromItem(Contact("new@example.org", "Brisa Logistics"), window);
    EXPECT_EQ(record->ID(), 0);
    EXPECT_EQ(record->Class()->Name(), "person");
    EXPECT_EQ(record->Text("company"), "Tallbacka Konsult");
}

TEST_F(ItemImporterTest, MailIsImportedByEntryIdAndFromFiles) {
    const auto item = ImportItem(WriteEml("mail.eml", kFromMaria));
    auto record = sync->ImportRecordFromEntryID(item->EntryID(), nullptr);
    EXPECT_EQ(record->Class()->Name(), "document");
    EXPECT_EQ(record->Text("comment"), "Spring order");
    EXPECT_EQ(record->Text("company"), "Nordvik Trading AB");
    EXPECT_TRUE(world.Logged("Synchronizer - FindRecordFromEmail"));

    // The item made from the file goes again.
    const std::string msg = (world.Folder() / "mail.msg").string();
    Import(WriteEml("copy.eml", kFromMaria))->SaveAs(msg, 3);
    const auto drafts = Count(outlook::olFolderDrafts);
    record = sync->ImportRecordFromFile(msg, nullptr);
    EXPECT_EQ(record->Text("comment"), "Spring order");
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
