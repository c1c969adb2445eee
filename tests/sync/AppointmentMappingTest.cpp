#include "contracts/outlook/Constants.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

namespace fieldtype = kelo::fieldtype;

class AppointmentMappingTest : public SyncTest {
protected:
    Ptr<outlook::IAppointmentItem> appointment = NewItem<outlook::IAppointmentItem>(outlook::olAppointmentItem);

    // A to-do class whose start and end are each a date field and a
    // time-of-day field, with a short subject.
    void AddMeetingClass() {
        standin::kelo::Schema& schema = world.Client().Data()->Metadata();
        const auto meeting = schema.AddClass({"meeting", "Meeting", "Meetings", kelo::classlabel::ToDo, "<topic>"});
        schema.AddField(meeting, {.name = "topic", .label = 3, .maxLength = 50});
        schema.AddField(meeting, {.name = "day", .label = 4, .type = fieldtype::Date});
        schema.AddField(meeting, {.name = "from", .label = 4, .type = fieldtype::Time});
        schema.AddField(meeting, {.name = "untilday", .label = 5, .type = fieldtype::Date});
        schema.AddField(meeting, {.name = "until", .label = 5, .type = fieldtype::Time});
        schema.AddField(meeting, {.name = "minutes", .label = 8, .type = fieldtype::LongText});
    }
};

TEST_F(AppointmentMappingTest, RecordToItemAndBackIsLossless) {
    const auto record = StoredRecord("todo", {{"subject", "Spring fair"},
                                              {"start", Date::FromParts(2024, 5, 2, 9)},
                                              {"end", Date::FromParts(2024, 5, 2, 10, 30)},
                                              {"notes", "Bring the banner.\r\nAnd the flyers."},
                                              {"location", "Hall B"},
                                              {"contact", "Maria Sjöberg"}});
    sync->UpdateItemFromRecord(appointment, record);
    EXPECT_EQ(appointment->Start(), Date::FromParts(2024, 5, 2, 9));
    EXPECT_EQ(appointment->End(), Date::FromParts(2024, 5, 2, 10, 30));
    EXPECT_FALSE(appointment->AllDayEvent());
    EXPECT_EQ(sync->GetItemProperty(appointment, "KeloContact").ToString(), "Maria Sjöberg");

    const auto back = NewRecord("todo");
    sync->UpdateRecordFromItem(back, appointment);
    for (const char* field : {"subject", "start", "end", "notes", "location", "contact"}) {
        EXPECT_EQ(back->Text(field), record->Text(field)) << field;
    }
    // The organizer is the profile's user, whose coworker record is responsible.
    EXPECT_EQ(back->Value("responsible").ToLong(), CoworkerOf("Anna Lindqvist"));
}

TEST_F(AppointmentMappingTest, WholeDaysMakeAnAllDayEvent) {
    auto record = NewRecord("todo", {{"subject", "Fair"},
                                     {"start", Date::FromParts(2024, 5, 1)},
                                     {"end", Date::FromParts(2024, 5, 2)}});
    sync->UpdateItemFromRecord(appointment, record);
    EXPECT_TRUE(appointment->AllDayEvent());
    record->SetValue("start", Date::FromParts(2024, 5, 1, 9));
    sync->UpdateItemFromRecord(appointment, record);
    EXPECT_FALSE(appointment->AllDayEvent());
}

TEST_F(AppointmentMappingTest, DateAndTimeFieldsComposeAndMidnightClearsTheTime) {
    AddMeetingClass();
    auto record = NewRecord("meeting", {{"topic", "Review"},
                                        {"day", Date::FromParts(2024, 5, 3)},
                                        {"from", Date::FromTime(13, 15)},
                                        {"untilday", Date::FromParts(2024, 5, 3)},
                                        {"until", Date::FromTime(14, 0)}});
    sync->UpdateItemFromRecord(appointment, record);
    EXPECT_EQ(appointment->Start(), Date::FromParts(2024, 5, 3, 13, 15));
    EXPECT_EQ(appointment->End(), Date::FromParts(2024, 5, 3, 14));

    appointment->SetStart(Date::FromParts(2024, 5, 4));
    appointment->SetEnd(Date::FromParts(2024, 5, 4, 16, 45));
    appointment->Save();
    sync->UpdateRecordFromItem(record, appointment);
    EXPECT_EQ(record->Value("day").ToDate(), Date::FromParts(2024, 5, 4));
    EXPECT_TRUE(record->Value("from").IsNull());
    EXPECT_EQ(record->Value("untilday").ToDate(), Date::FromParts(2024, 5, 4));
    EXPECT_EQ(record->Value("until").ToDate(), Date::FromTime(16, 45));
}

TEST_F(AppointmentMappingTest, TextsAreCutToTheFieldsMaximumLength) {
    AddMeetingClass();
    const std::string longText(300, 'x');
    appointment->SetSubject(longText);
    appointment->SetBody(longText);
    auto record = NewRecord("meeting");
    sync->UpdateRecordFromItem(record, appointment);
    EXPECT_EQ(record->Text("topic"), std::string(50, 'x'));
    EXPECT_EQ(record->Text("minutes"), longText);  // no maximum
}

}  // namespace
}  // namespace ostrellix::addin
