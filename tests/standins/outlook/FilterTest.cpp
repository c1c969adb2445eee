#include <gtest/gtest.h>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Filter.h"
#include "tests/standins/outlook/OutlookFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;
using ostrellix::testing::Raised;

TEST(FilterParseTest, MalformedFiltersRaiseTheParseError) {
    for (const char* text : {"", "KeloID = 'x'", "[KeloID] 'x'", "[KeloID] = 'x", "[KeloID] = 'x' AND",
                             "([KeloID] = 'x'", "[KeloID] = 'x')", "[] = 'x'", "[KeloID] == 'x'",
                             "[KeloID] = 'x' [Y] = 'y'", "@SQL=\"urn:schemas:httpmail:subject\" = 'x'"}) {
        const auto error = Raised([&] { Filter::Parse(text); });
        ASSERT_TRUE(error) << "accepted: " << text;
        EXPECT_EQ(error->Number(), errors::kCannotParse) << text;
        EXPECT_NE(error->Description().find("Cannot parse condition"), std::string::npos);
    }
}

TEST(FilterParseTest, NestingIsRefusedBeyondAHundredLevels) {
    const auto nested = [](const std::string& open, int depth, const std::string& close) {
        std::string text;
        for (int i = 0; i < depth; ++i) text += open;
        text += "[A] = 1";
        for (int i = 0; i < depth; ++i) text += close;
        return text;
    };
    EXPECT_NO_THROW(Filter::Parse(nested("(", 100, ")")));
    EXPECT_NO_THROW(Filter::Parse(nested("NOT ", 100, "")));
    // Deep enough to exhaust the stack if it were followed.
    for (const std::string& text : {nested("(", 101, ")"), nested("NOT (", 60, ")"), std::string(100000, '(')}) {
        const auto error = Raised([&] { Filter::Parse(text); });
        ASSERT_TRUE(error) << "accepted " << text.size() << " characters";
        EXPECT_EQ(error->Number(), errors::kCannotParse);
    }
}

class FindTest : public OutlookFixture {
protected:
    Ptr<ol::IAppointmentItem> Appointment(const std::string& subject, const std::string& keloId,
                                          const std::string& database) {
        auto item = Create<ol::IAppointmentItem>(ol::olAppointmentItem);
        item->SetSubject(subject);
        if (!keloId.empty()) {
            item->UserProperties()->Add("KeloID", ol::olText, true)->SetValue(Variant(keloId));
            item->UserProperties()->Add("KeloDatabase", ol::olText, true)->SetValue(Variant(database));
        }
        item->Save();
        return item;
    }

    std::vector<std::string> Subjects(const Ptr<ol::IItems>& items) {
        std::vector<std::string> subjects;
        for (std::int32_t i = 1; i <= items->Count(); ++i) subjects.push_back(items->Item(i)->Subject());
        return subjects;
    }

    Ptr<ol::IItems> Calendar() { return Folder(ol::olFolderCalendar)->Items(); }
};

TEST_F(FindTest, FindsByUserPropertiesTheWayTheSynchronizationAsks) {
    Appointment("Lunch", "person:12", "srv.db");
    Appointment("Other database", "person:12", "other.db");
    Appointment("Unmarked", "", "");
    Appointment("Dinner", "person:13", "SRV.DB");
    Appointment("Supper", "person:12", "srv.db");
    const auto items = Calendar();
    // FindNext walks every match, then gives nothing.
    std::vector<std::string> walked;
    const auto found = items->Find("[KeloID] = 'person:12' AND [KeloDatabase] = 'srv.db'");
    for (auto item = found; item; item = items->FindNext()) walked.push_back(item->Subject());
    EXPECT_EQ(walked, (std::vector<std::string>{"Lunch", "Supper"}));
    EXPECT_FALSE(items->FindNext());
    // A single candidate, or none, is still held to every condition.
    EXPECT_EQ(items->Find("[KeloID] = 'person:13' AND [KeloDatabase] = 'srv.db'")->Subject(), "Dinner");
    EXPECT_FALSE(items->Find("[KeloID] = 'person:13' AND [KeloDatabase] = 'other.db'"));
    EXPECT_FALSE(items->Find("[KeloID] = 'person:99' AND [KeloDatabase] = 'srv.db'"));
    // Text compares without regard to case; an item without the property never matches.
    EXPECT_EQ(Subjects(items->Restrict("[KeloID] <> '' AND [KeloDatabase] = 'srv.db'")),
              (std::vector<std::string>{"Lunch", "Dinner", "Supper"}));
    EXPECT_EQ(Subjects(items->Restrict("[KeloID] = 'person:13' or [Subject] = 'unmarked'")),
              (std::vector<std::string>{"Unmarked", "Dinner"}));
    EXPECT_EQ(Subjects(items->Restrict("NOT [KeloDatabase] = 'srv.db'")),
              (std::vector<std::string>{"Other database", "Unmarked"}));
    EXPECT_FALSE(items->Find("[KeloID] = 'person:99'"));
    EXPECT_FALSE(items->Find("[NoSuchProperty] = 'x'"));
}

TEST_F(FindTest, DatesCompareToTheMinuteOfTheFilter) {
    // Changed at 10:15:30; the last run's time stamp was 10:15:00.
    clock->Set(Date::FromParts(2024, 5, 1, 10, 15, 30));
    Appointment("changed", "person:1", "srv.db");
    clock->Set(Date::FromParts(2024, 5, 1, 10, 14, 59));
    Appointment("earlier", "person:2", "srv.db");
    const auto items = Calendar();
    const std::string marked = "[KeloID] <> '' AND [KeloDatabase] = 'srv.db'";
    EXPECT_EQ(Subjects(items->Restrict(marked + " and [LastModificationTime] > '2024-05-01 10:15'")),
              std::vector<std::string>{"changed"});
    // Seconds in the filter are dropped: this is still 10:15.
    EXPECT_EQ(Subjects(items->Restrict("[LastModificationTime] > '2024-05-01 10:15:45'")),
              std::vector<std::string>{"changed"});
    EXPECT_EQ(Subjects(items->Restrict("[LastModificationTime] <= '2024-05-01 10:14'")), std::vector<std::string>{});
    EXPECT_EQ(Subjects(items->Restrict("[LastModificationTime] < '2024-05-01 10:15'")),
              std::vector<std::string>{"earlier"});
}

TEST_F(FindTest, ValuesMustFitTheirProperties) {
    const auto items = Calendar();
    EXPECT_EQ(ErrorOf([&] { items->Restrict("[Start] > 'tomorrow'"); }), errors::kCannotParse);
    for (const char* filter : {"[ReminderSet] = maybe", "[Body] = 'x'", "[Subject] = 'x"}) {
        EXPECT_EQ(ErrorOf([&] { items->Find(filter); }), errors::kCannotParse) << filter;
    }
}

TEST_F(FindTest, TypedPropertiesCompareByTheirType) {
    auto early = Appointment("early", "", "");
    early->SetStart(Date::FromParts(2024, 6, 3, 9, 0));
    early->SetReminderSet(false);
    early->Save();
    auto late = Appointment("late", "", "");
    late->SetStart(Date::FromParts(2024, 6, 3, 14, 0));
    late->Save();
    auto task = Create<ol::ITaskItem>(ol::olTaskItem, "it's done");
    task->SetComplete(true);
    task->Save();
    const auto items = Calendar();
    EXPECT_EQ(Subjects(items->Restrict("[Start] >= '2024-06-03 12:00'")), std::vector<std::string>{"late"});
    EXPECT_EQ(Subjects(items->Restrict("[ReminderSet] = False")), std::vector<std::string>{"early"});
    // Keywords in any case, a quote doubled, a value in double quotes, no spaces around the operator.
    const auto tasks = Folder(ol::olFolderTasks)->Items();
    const auto done = tasks->Find("[Complete]=True and ([Subject] = 'it''s done' AND not [Subject] = \"x\")");
    ASSERT_TRUE(done);
    EXPECT_EQ(done->Subject(), "it's done");
    // A restriction narrows further and follows the folder.
    const auto afternoon = items->Restrict("[Start] >= '2024-06-03 12:00'");
    EXPECT_EQ(Subjects(afternoon->Restrict("[Subject] = 'early'")), std::vector<std::string>{});
    early->SetStart(Date::FromParts(2024, 6, 3, 16, 0));
    early->Save();
    EXPECT_EQ(Subjects(afternoon), (std::vector<std::string>{"early", "late"}));
    EXPECT_EQ(ErrorOf([&] { afternoon->Item(3); }), errors::kInvalidArgument);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
