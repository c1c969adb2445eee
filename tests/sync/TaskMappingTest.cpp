#include <gmock/gmock.h>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IPropertyAccessor.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/sync/RecordWrites.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

namespace fieldtype = kelo::fieldtype;

class TaskMappingTest : public SyncTest {
protected:
    Ptr<kelo::IRecord> todo = StoredRecord("todo", {{"subject", "Send the price list"},
                                                    {"start", Date::FromParts(2024, 5, 6)},
                                                    {"done", true},
                                                    {"notes", "Both pages"}});

    // A to-do class whose dates are a date and a time of day each, and
    // whose label-7 field is text, not yes/no.
    void AddErrandClass() {
        standin::kelo::Schema& schema = world.Client().Data()->Metadata();
        const auto errand = schema.AddClass({"errand", "Errand", "Errands", kelo::classlabel::ToDo, "<what>"});
        schema.AddField(errand, {.name = "what", .label = 3});
        schema.AddField(errand, {.name = "day", .label = 4, .type = fieldtype::Date});
        schema.AddField(errand, {.name = "at", .label = 4, .type = fieldtype::Time});
        schema.AddField(errand, {.name = "dueday", .label = 5, .type = fieldtype::Date});
        schema.AddField(errand, {.name = "dueat", .label = 5, .type = fieldtype::Time});
        schema.AddField(errand, {.name = "state", .label = 7});
    }
};

TEST_F(TaskMappingTest, AMissingDateIsNoDateInTheTaskAndClearsTheFieldOnTheWayBack) {
    const auto task = Cast<outlook::ITaskItem>(sync->CreateItemFromRecord(todo));
    sync->UpdateItemFromRecord(task, todo);
    EXPECT_EQ(task->StartDate(), Date::FromParts(2024, 5, 6));
    EXPECT_EQ(task->DueDate(), outlook::kNoDate);
    EXPECT_TRUE(task->Complete());
    EXPECT_EQ(task->Body(), "Both pages");

    auto back = NewRecord("todo", {{"end", Date::FromParts(2024, 5, 9)}});
    sync->UpdateRecordFromItem(back, task);
    EXPECT_EQ(back->Value("start").ToDate(), Date::FromParts(2024, 5, 6));
    EXPECT_TRUE(back->Value("end").IsNull());
    EXPECT_TRUE(back->Value("done").ToBoolean());
    EXPECT_EQ(back->Text("subject"), "Send the price list");

    sync->UpdateItemFromRecord(task, StoredRecord("todo", {{"subject", "Someday"}}));
    EXPECT_EQ(task->StartDate(), outlook::kNoDate);
    task->Save();
    sync->UpdateRecordFromItem(back, task);
    EXPECT_TRUE(back->Value("start").IsNull());
    EXPECT_FALSE(back->Value("done").ToBoolean());
}

// An appointment's organizer and a task's owner, both the profile's user
// until someone else is named.
TEST_F(TaskMappingTest, TheOrganizerOrOwnerNamesTheResponsibleCoworkerWhenAUserHasThatName) {
    const struct {
        std::int32_t itemType;
        std::string property;
    } kinds[] = {
        {outlook::olAppointmentItem, std::string(outlook::kPropTagNamespace) + "0042001F"},
        {outlook::olTaskItem, "http://schemas.microsoft.com/mapi/id/{00062003-0000-0000-C000-000000000046}/811F001F"},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.property);
        const auto item = sync->CreateItem(kind.itemType);
        item->Save();
        auto record = NewRecord("todo");
        sync->UpdateRecordFromItem(record, item);
        EXPECT_EQ(record->Value("responsible").ToLong(), CoworkerOf("Anna Lindqvist"));
        // An unknown name leaves the coworker named before.
        for (const char* name : {"Erik Holm", "Somebody Unknown"}) {
            item->PropertyAccessor()->SetProperty(kind.property, name);
            item->Save();
            sync->UpdateRecordFromItem(record, item);
            EXPECT_EQ(record->Value("responsible").ToLong(), CoworkerOf("Erik Holm")) << name;
        }
    }
}

TEST_F(TaskMappingTest, TimesOfDayAreClearedAndOnlyAYesNoFieldTakesComplete) {
    AddErrandClass();
    auto errand = NewRecord("errand", {{"what", "Post the parcel"},
                                       {"day", Date::FromParts(2024, 5, 6)},
                                       {"at", Date::FromTime(14, 30)},
                                       {"dueat", Date::FromTime(16, 0)},
                                       {"state", "1"}});
    const auto task = NewItem<outlook::ITaskItem>(outlook::olTaskItem);
    sync->UpdateItemFromRecord(task, errand);
    EXPECT_EQ(task->StartDate(), Date::FromParts(2024, 5, 6));  // a task's dates are days
    EXPECT_EQ(task->DueDate(), outlook::kNoDate);

    task->SetDueDate(Date::FromParts(2024, 5, 8));
    task->SetComplete(true);
    task->Save();
    sync->UpdateRecordFromItem(errand, task);
    EXPECT_EQ(errand->Value("dueday").ToDate(), Date::FromParts(2024, 5, 8));
    EXPECT_TRUE(errand->Value("at").IsNull());
    EXPECT_TRUE(errand->Value("dueat").IsNull());
    EXPECT_EQ(errand->Text("state"), "1");  // not a yes/no field: Complete is not written
}

// Writes of the fields of both to-do kinds, item to record, in order: the
// responsible coworker, the contact, the dates, then subject and notes,
// and last the location of an appointment or the completion of a task.
TEST_F(TaskMappingTest, ToDoFieldsAreWrittenInTheirOrder) {
    const auto appointment = NewItem<outlook::IAppointmentItem>(outlook::olAppointmentItem);
    const auto task = NewItem<outlook::ITaskItem>(outlook::olTaskItem);
    for (const Ptr<outlook::IItem>& item : {Ptr<outlook::IItem>(appointment), Ptr<outlook::IItem>(task)}) {
        sync->UpdateItemFromRecord(item, todo);
        item->Save();
    }
    const auto written = [&](const Ptr<outlook::IItem>& item) {
        const auto record = std::make_shared<testing::RecordWrites>(NewRecord("todo"));
        sync->UpdateRecordFromItem(record, item);
        return record->written;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(written(appointment), (Names{"responsible", "contact", "start", "end", "subject", "notes", "location"}));
    EXPECT_EQ(written(task), (Names{"responsible", "contact", "start", "end", "subject", "notes", "done"}));
}

// A task as the mapping sets its dates; nothing else of it is used.
class DatedTask : public outlook::ITaskItem {
public:
    MOCK_METHOD(void, SetDueDate, (Date), (override));
    MOCK_METHOD(void, SetStartDate, (Date), (override));

    std::string EntryID() override { return {}; }
    std::string MessageClass() override { return "IPM.Task"; }
    std::string Subject() override { return {}; }
    void SetSubject(std::string_view) override {}
    std::string Body() override { return {}; }
    void SetBody(std::string_view) override {}
    std::string Categories() override { return {}; }
    void SetCategories(std::string_view) override {}
    Date CreationTime() override { return {}; }
    Date LastModificationTime() override { return {}; }
    bool Saved() override { return true; }
    Ptr<outlook::IUserProperties> UserProperties() override { return nullptr; }
    Ptr<outlook::IAttachments> Attachments() override { return nullptr; }
    Ptr<outlook::IPropertyAccessor> PropertyAccessor() override { return nullptr; }
    Ptr<outlook::IFolder> Parent() override { return nullptr; }
    void Save() override {}
    void Display(bool) override {}
    void Close(std::int32_t) override {}
    void Delete() override {}
    void PrintOut() override {}
    Ptr<outlook::IItem> Move(const Ptr<outlook::IFolder>&) override { return nullptr; }
    Ptr<outlook::IInspector> GetInspector() override { return nullptr; }
    outlook::ItemEvents& Events() override { return events_; }
    Date StartDate() override { return {}; }
    Date DueDate() override { return {}; }
    bool Complete() override { return false; }
    void SetComplete(bool) override {}
    std::string Owner() override { return {}; }
    bool ReminderSet() override { return false; }
    void SetReminderSet(bool) override {}

private:
    outlook::ItemEvents events_;
};

TEST_F(TaskMappingTest, TheDueDateIsSetBeforeTheStart) {
    standin::kelo::Schema& schema = world.Client().Data()->Metadata();
    const auto call = schema.AddClass({"call", "Call", "Calls", kelo::classlabel::ToDo, "<id>"});
    schema.AddField(call, {.name = "from", .label = 4, .type = fieldtype::Date});
    schema.AddField(call, {.name = "until", .label = 5, .type = fieldtype::Date});
    const auto record = NewRecord("call", {{"from", Date::FromParts(2024, 6, 3)}, {"until", Date::FromParts(2024, 6, 5)}});

    const auto task = std::make_shared<DatedTask>();
    ::testing::InSequence inOrder;
    EXPECT_CALL(*task, SetDueDate(Date::FromParts(2024, 6, 5)));
    EXPECT_CALL(*task, SetStartDate(Date::FromParts(2024, 6, 3)));
    sync->UpdateItemFromRecord(task, record);
}

}  // namespace
}  // namespace ostrellix::addin
