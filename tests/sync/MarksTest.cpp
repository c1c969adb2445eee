#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IUserProperty.h"
#include "core/Options.h"
#include "sync/ItemMarks.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

class MarksTest : public SyncTest {
protected:
    Ptr<kelo::IRecord> person = StoredRecord("person", {{"firstname", "Ida"}, {"lastname", "Berg"}});
    Ptr<kelo::IRecord> todo =
        StoredRecord("todo", {{"subject", "Renew the contract"}, {"start", Date::FromParts(2024, 6, 3)}});
};

TEST_F(MarksTest, EnablingWritesTheThreeMarksAndTheCategory) {
    const auto contact = Reloaded(Enabled<outlook::IContactItem>(outlook::olContactItem, person));
    EXPECT_EQ(Mark(contact, "KeloID"), "person:" + std::to_string(person->ID()));
    const auto options = Globals::Options();
    EXPECT_EQ(Mark(contact, "KeloDatabase"), options->OriginalServerName() + "." + options->OriginalDatabaseName());
    EXPECT_EQ(Mark(contact, "KeloChecksum"),
              sync->ComputeRecordChecksum(person).ToString() + ":" + sync->ComputeItemChecksum(contact));
    EXPECT_EQ(contact->Categories(), "Kelo");
    EXPECT_EQ(Must(contact->UserProperties()->Find("KeloID")).Type(), outlook::olText);
    EXPECT_TRUE(sync->IsItemEnabledForSynchronization(contact));
}

TEST_F(MarksTest, EnablingStoresANewRecordFirstAndKeepsACategory) {
    const auto record = NewRecord("person", {{"lastname", "Nyberg"}});
    const auto contact = NewItem<outlook::IContactItem>(outlook::olContactItem);
    contact->SetCategories("Customers");
    sync->EnableSynchronization(contact, record);
    ASSERT_GT(record->ID(), 0);
    EXPECT_EQ(Reloaded(record)->Text("lastname"), "Nyberg");
    EXPECT_EQ(Mark(Reloaded(contact), "KeloID"), "person:" + std::to_string(record->ID()));
    EXPECT_EQ(Reloaded(contact)->Categories(), "Customers");
}

TEST_F(MarksTest, DisablingDeletesOrUnmarksByTheOptionOfTheItemsKind) {
    const auto options = Globals::Options();
    for (const bool appointmentsGo : {true, false}) {
        SCOPED_TRACE(appointmentsGo ? "appointments deleted" : "contacts deleted");
        options->SetDeleteAppointmentsDuringSynchronization(appointmentsGo);
        options->SetDeleteContactsDuringSynchronization(!appointmentsGo);
        const auto appointment = Enabled<outlook::IItem>(outlook::olAppointmentItem, todo);
        const auto contact = Enabled<outlook::IItem>(outlook::olContactItem, person);
        const std::string goneId = (appointmentsGo ? appointment : contact)->EntryID();
        const std::string keptId = (appointmentsGo ? contact : appointment)->EntryID();
        sync->DisableSynchronizationForItem(appointment);
        sync->DisableSynchronizationForItem(contact);
        EXPECT_FALSE(Exists(goneId));
        const auto unmarked = Globals::Outlook()->Session()->GetItemFromID(keptId);
        EXPECT_FALSE(sync->IsItemEnabledForSynchronization(unmarked));
        for (const char* name : {"KeloID", "KeloChecksum", "KeloDatabase"}) {
            EXPECT_EQ(unmarked->UserProperties()->Find(name), nullptr) << name;
        }
        EXPECT_EQ(unmarked->Categories(), "");
    }
}

template <class S>
concept RemovesMarksInPublic = requires(S& s, const Ptr<outlook::IItem>& item) {
    s.RemoveSynchronizationProperties(item);
};

TEST_F(MarksTest, MarksComeOffInPublicOnlyByDisablingOrThroughTheMarksClass) {
    EXPECT_FALSE(RemovesMarksInPublic<Synchronizer>);
    const auto contact = Enabled<outlook::IItem>(outlook::olContactItem, person);
    ItemMarks::Remove(contact);
    const auto unmarked = Reloaded(contact);
    EXPECT_FALSE(sync->IsItemEnabledForSynchronization(unmarked));
    EXPECT_EQ(unmarked->Categories(), "");
}

TEST_F(MarksTest, AnUnmarkedItemReadsNoMarksAndDisablingItIsNoError) {
    const auto contact = NewItem<outlook::IContactItem>(outlook::olContactItem);
    EXPECT_TRUE(sync->GetItemProperty(contact, "KeloContact").IsEmpty());
    EXPECT_EQ(sync->GetKeloID(contact), "");
    sync->DisableSynchronizationForItem(contact);
}

TEST_F(MarksTest, FindsContactsOfPersonsAndToDosInTheCalendarThenTheTasks) {
    const auto contact = Enabled<outlook::IItem>(outlook::olContactItem, person);
    const auto task = Enabled<outlook::IItem>(outlook::olTaskItem, todo);
    EXPECT_EQ(Must(sync->FindItemFromRecord(person)).EntryID(), contact->EntryID());
    EXPECT_EQ(Must(sync->FindItemFromRecord(todo)).EntryID(), task->EntryID());

    const auto appointment = Enabled<outlook::IItem>(outlook::olAppointmentItem, todo);
    EXPECT_EQ(Must(sync->FindItemFromRecord(todo)).EntryID(), appointment->EntryID());

    // A mark of another database is not this database's pair.
    sync->DisableSynchronizationForItem(appointment);
    sync->SetItemProperty(contact, "KeloDatabase", "elsewhere.other");
    contact->Save();
    EXPECT_EQ(sync->FindItemFromRecord(person), nullptr);
}

TEST(FindItemFromRecordTest, ARecordWithoutPairingLooksNowhere) {
    testing::AddinWorld world;
    const auto application = Globals::Application();
    auto company = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    company->Load(application->Classes()->FindByName("company"), 1);
    auto fresh = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
    fresh->New(application->Classes()->FindByName("person"));
    EXPECT_EQ(Globals::Synchronizer()->FindItemFromRecord(company), nullptr);
    EXPECT_EQ(Globals::Synchronizer()->FindItemFromRecord(fresh), nullptr);
    EXPECT_EQ(world.Outlook(), nullptr);  // Outlook was never started for them
}

}  // namespace
}  // namespace ostrellix::addin
