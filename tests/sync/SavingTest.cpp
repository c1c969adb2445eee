#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

// What the synchronizer saves: an item that has no EntryID yet (so that the
// MAPI library can open it) and nothing else, except where an operation
// ends by saving. A user's pending edit stays pending; checksums and
// mappings read the item as stored.
class SavingTest : public SyncTest {
protected:
    Ptr<kelo::IRecord> todo = StoredRecord("todo", {{"subject", "Plan the fair"},
                                                    {"start", Date::FromParts(2024, 5, 2, 9)},
                                                    {"end", Date::FromParts(2024, 5, 2, 10)}});

    // Each save of the item as the Write event sees it: its "KeloID" and "KeloDatabase".
    struct Save {
        std::string keloId, database;
    };
    std::vector<Save> saves;
    Connection writes;
    std::int32_t changes = 0;
    Ptr<outlook::IItems> calendar = sync->CalendarFolder()->Items();
    Connection itemChanges;

    template <class T>
    Ptr<T> Watched(Ptr<T> item) {
        writes = item->Events().Write.Connect([this, watched = std::weak_ptr<T>(item)](bool&) {
            const Ptr<T> saved = watched.lock();
            saves.push_back({Mark(saved, "KeloID"), Mark(saved, "KeloDatabase")});
        });
        itemChanges = calendar->Events().ItemChange.Connect(
            [this](const Ptr<outlook::IItem>&) { ++changes; });
        return item;
    }
    // A stored appointment of the to-do, then edited by the user without saving.
    Ptr<outlook::IAppointmentItem> EditedAppointment() {
        auto appointment = NewItem<outlook::IAppointmentItem>(outlook::olAppointmentItem);
        sync->UpdateItemFromRecord(appointment, todo);
        appointment->Save();
        appointment->SetSubject("Plan the fair (draft)");
        return Watched(appointment);
    }
};

TEST_F(SavingTest, ReadingAnEditedItemCommitsNothing) {
    const auto appointment = EditedAppointment();
    // The item as stored: start, end and subject (no location, no body).
    EXPECT_EQ(sync->ComputeItemChecksum(appointment),
              sync->ComputeChecksum("2024-05-02 09:00:002024-05-02 10:00:00Plan the fair"));

    auto record = NewRecord("todo");
    sync->UpdateRecordFromItem(record, appointment);
    EXPECT_EQ(record->Text("subject"), "Plan the fair");

    EXPECT_TRUE(saves.empty());
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(appointment->Saved());
    EXPECT_EQ(Globals::Redemption()->GetMessageFromID(appointment->EntryID())->Subject(), "Plan the fair");
}

TEST_F(SavingTest, EnablingAStoredItemSavesItOnceWithEveryMark) {
    const auto appointment = EditedAppointment();
    sync->EnableSynchronization(appointment, todo);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].keloId, "todo:" + std::to_string(todo->ID()));
    EXPECT_EQ(saves[0].database, sync->DatabaseTag());
    EXPECT_EQ(changes, 1);
    // Its checksum was taken over the item as stored before: the user's
    // edit, saved with the marks, reads as a change since.
    EXPECT_TRUE(sync->IsItemModifiedSinceLastSynchronization(appointment).ToBoolean());
}

TEST_F(SavingTest, EnablingANewItemSavesItForItsChecksumBeforeTheDatabaseIsMarked) {
    const auto appointment = Watched(NewItem<outlook::IAppointmentItem>(outlook::olAppointmentItem));
    sync->UpdateItemFromRecord(appointment, todo);
    sync->EnableSynchronization(appointment, todo);
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_EQ(saves[0].keloId, "todo:" + std::to_string(todo->ID()));
    EXPECT_EQ(saves[0].database, "");
    EXPECT_EQ(saves[1].database, sync->DatabaseTag());
    EXPECT_FALSE(sync->IsItemModifiedSinceLastSynchronization(appointment).ToBoolean());
}

TEST_F(SavingTest, AfterTheRecordWinsTheItemHalfDescribesTheItemAsItWasStored) {
    const auto appointment = Watched(NewItem<outlook::IAppointmentItem>(outlook::olAppointmentItem));
    sync->UpdateItemFromRecord(appointment, todo);
    sync->EnableSynchronization(appointment, todo);
    const std::string before = sync->ComputeItemChecksum(appointment);
    auto record = Reloaded(todo);
    record->SetValue("location", "Hall B");
    record->Update();
    saves.clear();

    sync->SynchronizeItemWithRecord(appointment, record);
    EXPECT_EQ(saves.size(), 1u);
    EXPECT_EQ(Reloaded(appointment)->Location(), "Hall B");
    EXPECT_EQ(Mark(appointment, "KeloChecksum"), sync->ComputeRecordChecksum(record).ToString() + ":" + before);

    // So the next decision takes the item for changed and stores the record again.
    const Date stored = Reloaded(todo)->Timestamp();
    world.Clock().AdvanceSeconds(60);
    sync->SynchronizeItemWithRecord(appointment, Reloaded(todo));
    EXPECT_GT(Reloaded(todo)->Timestamp(), stored);
    EXPECT_EQ(Reloaded(todo)->Text("location"), "Hall B");
    EXPECT_FALSE(sync->IsItemModifiedSinceLastSynchronization(appointment).ToBoolean());
}

}  // namespace
}  // namespace ostrellix::addin
