#include "contracts/outlook/Constants.h"
#include "runtime/ComError.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

// A to-do and its appointment, paired as a first synchronization leaves them.
class PairDecisionTest : public SyncTest {
protected:
    Ptr<kelo::IRecord> todo = StoredRecord("todo", {{"subject", "Plan the fair"},
                                                    {"start", Date::FromParts(2024, 5, 2, 9)},
                                                    {"end", Date::FromParts(2024, 5, 2, 10)},
                                                    {"location", "Room 1"}});
    Ptr<outlook::IAppointmentItem> item = Enabled<outlook::IAppointmentItem>(outlook::olAppointmentItem, todo);

    // Both halves of the stored pair describe the pair as it now stands.
    void ExpectInStep(const Ptr<kelo::IRecord>& record) {
        EXPECT_EQ(Mark(item, "KeloChecksum"), sync->ComputeRecordChecksum(Reloaded(record)).ToString() + ":" +
                                                  sync->ComputeItemChecksum(Reloaded(item)));
        EXPECT_FALSE(sync->IsItemModifiedSinceLastSynchronization(item).ToBoolean());
    }
    void ExpectSubscriptError(std::string_view stored) {
        sync->SetItemProperty(item, "KeloChecksum", stored);
        try {
            sync->SynchronizeItemWithRecord(item, Reloaded(todo));
            ADD_FAILURE() << "stored \"" << stored << "\" must fail";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), errors::SubscriptOutOfRange);
        }
    }
};

TEST_F(PairDecisionTest, WhenNeitherSideChangedNothingIsWritten) {
    const Date itemSaved = item->LastModificationTime();
    const Date recordStored = Reloaded(todo)->Timestamp();
    world.Clock().AdvanceSeconds(60);
    sync->SynchronizeItemWithRecord(item, Reloaded(todo));
    EXPECT_EQ(Reloaded(item)->LastModificationTime(), itemSaved);
    EXPECT_EQ(Reloaded(todo)->Timestamp(), recordStored);
}

TEST_F(PairDecisionTest, AChangedRecordOverwritesTheItemEvenWhenBothChanged) {
    item->SetLocation("Room 2");
    item->SetSubject("Plan the fair (moved)");
    item->Save();
    auto record = Reloaded(todo);
    record->SetValue("location", "Hall B");
    record->Update();

    sync->SynchronizeItemWithRecord(item, record);
    EXPECT_EQ(Reloaded(item)->Location(), "Hall B");
    EXPECT_EQ(Reloaded(item)->Subject(), "Plan the fair");
    EXPECT_EQ(Reloaded(todo)->Text("subject"), "Plan the fair");
}

TEST_F(PairDecisionTest, AStoredPairWithoutSeparatorIsAnErrorForTheCaller) {
    ExpectSubscriptError("");
    // Even when the record changed, which would otherwise decide without the item half.
    ExpectSubscriptError("12345");
}

TEST_F(PairDecisionTest, ModifiedIsUndecidableWithoutAPairOfTwo) {
    EXPECT_FALSE(sync->IsItemModifiedSinceLastSynchronization(item).ToBoolean());
    item->SetBody("New notes");
    item->Save();
    EXPECT_TRUE(sync->IsItemModifiedSinceLastSynchronization(item).ToBoolean());
    for (const char* stored : {"1:2:3", "12345"}) {
        sync->SetItemProperty(item, "KeloChecksum", stored);
        EXPECT_TRUE(sync->IsItemModifiedSinceLastSynchronization(item).IsEmpty()) << stored;
    }
    Must(item->UserProperties()->Find("KeloChecksum")).Delete();
    EXPECT_TRUE(sync->IsItemModifiedSinceLastSynchronization(item).IsEmpty());
}

TEST_F(PairDecisionTest, UpdatingTheInformationAddsTheMarkAndStoresAChangedRecord) {
    Must(item->UserProperties()->Find("KeloChecksum")).Delete();
    item->Save();
    auto record = Reloaded(todo);
    record->SetValue("notes", "Bring the banner");
    sync->UpdateSynchronizationInformation(item, record);
    EXPECT_EQ(Reloaded(todo)->Text("notes"), "Bring the banner");
    ExpectInStep(todo);
}

TEST_F(PairDecisionTest, SynchronizeItemFindsTheRecordOnlyInThisDatabase) {
    auto record = Reloaded(todo);
    record->SetValue("location", "Hall C");
    record->Update();

    sync->SetItemProperty(item, "KeloDatabase", "elsewhere.other");
    item->Save();
    sync->SynchronizeItem(item);
    EXPECT_EQ(Reloaded(item)->Location(), "Room 1");
    EXPECT_EQ(world.KeloLog().back(), "4|Synchronizer.FindRecordFromItem||Did not find a record.");

    sync->SetItemProperty(item, "KeloDatabase", sync->DatabaseTag());
    item->Save();
    sync->SynchronizeItem(item);
    EXPECT_EQ(Reloaded(item)->Location(), "Hall C");
}

}  // namespace
}  // namespace ostrellix::addin
