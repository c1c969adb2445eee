#include "contracts/outlook/Constants.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

class TaskMappingTest : public SyncTest {
protected:
    Ptr<kelo::IRecord> todo = StoredRecord("todo", {{"subject", "Send the price list"},
                                                    {"start", Date::FromParts(2024, 5, 6)},
                                                    {"done", true},
                                                    {"notes", "Both pages"}});
};

TEST_F(TaskMappingTest, AToDoWithoutAnEndBecomesATaskWithoutADueDate) {
    const auto task = Cast<outlook::ITaskItem>(sync->CreateItemFromRecord(todo));
    sync->UpdateItemFromRecord(task, todo);
    EXPECT_EQ(task->StartDate(), Date::FromParts(2024, 5, 6));
    EXPECT_EQ(task->DueDate(), outlook::kNoDate);
    EXPECT_TRUE(task->Complete());
    EXPECT_EQ(task->Body(), "Both pages");

    auto back = NewRecord("todo", {{"end", Date::FromParts(2024, 5, 9)}});
    sync->UpdateRecordFromItem(back, task);
    EXPECT_EQ(back->Value("start").ToDate(), Date::FromParts(2024, 5, 6));
    EXPECT_TRUE(back->Value("end").IsNull());  // Outlook's "no date" clears the field
    EXPECT_TRUE(back->Value("done").ToBoolean());
    EXPECT_EQ(back->Text("subject"), "Send the price list");
}

TEST_F(TaskMappingTest, AStartlessToDoClearsTheStartOnTheWayBack) {
    auto startless = StoredRecord("todo", {{"subject", "Someday"}});
    const auto task = Cast<outlook::ITaskItem>(sync->CreateItemFromRecord(startless));
    sync->UpdateItemFromRecord(task, startless);
    EXPECT_EQ(task->StartDate(), outlook::kNoDate);
    sync->UpdateRecordFromItem(todo, task);
    EXPECT_TRUE(todo->Value("start").IsNull());
    EXPECT_FALSE(todo->Value("done").ToBoolean());
}

}  // namespace
}  // namespace ostrellix::addin
