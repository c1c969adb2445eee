#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "tests/support/Raised.h"

namespace ostrellix {
namespace {

using ostrellix::testing::Raised;

TEST(DateTest, SerialsOfKnownDates) {
    EXPECT_EQ(Date::FromParts(4501, 1, 1).Serial(), 949998.0);
    EXPECT_EQ(Date::FromParts(1899, 12, 30).Serial(), 0.0);
    EXPECT_EQ(Date::FromParts(1900, 1, 1).Serial(), 2.0);
    EXPECT_EQ(Date::FromParts(2024, 5, 1, 12).Serial(), 45413.5);
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(Date::FromParts(1899, 12, 29, 6).Serial(), -1.25);
}

TEST(DateTest, PartsAreReadBack) {
    const Date d = Date::FromParts(2024, 2, 29, 23, 59, 58);
    EXPECT_EQ(d.Year(), 2024);
    EXPECT_EQ(d.Month(), 2);
    EXPECT_EQ(d.Day(), 29);
    EXPECT_EQ(d.Hour(), 23);
    EXPECT_EQ(d.Minute(), 59);
    EXPECT_EQ(d.Second(), 58);
    EXPECT_EQ(d.DatePart(), Date::FromParts(2024, 2, 29));
    EXPECT_EQ(d.TimePart(), Date::FromTime(23, 59, 58));
    EXPECT_EQ(Date(-1.25).Hour(), 6);
    EXPECT_EQ(Date(-1.25).Day(), 29);
}

TEST(DateTest, OrderingHoldsAcrossTheEpoch) {
    const Date early = Date::FromParts(1899, 12, 29, 6);
    const Date late = Date::FromParts(1899, 12, 29, 18);  // serial -1.75, numerically smaller
    EXPECT_LT(early, late);
    EXPECT_LT(late, Date::FromParts(1899, 12, 30));
    EXPECT_EQ(early.AddSeconds(12 * 3600), late);
}

TEST(DateTest, TimeRoundsToTheSecondAndRollsOver) {
    const Date almostMidnight(45413.0 + (86400.0 - 0.4) / 86400.0);
    EXPECT_EQ(almostMidnight.Day(), 2);
    EXPECT_EQ(almostMidnight.Hour(), 0);
    EXPECT_TRUE(almostMidnight.IsMidnight());
}

TEST(DateTest, FixedTextForm) {
    EXPECT_EQ(Date::FromParts(2024, 5, 1).ToString(), "2024-05-01");
    EXPECT_EQ(Date::FromParts(2024, 5, 1, 9, 5, 7).ToString(), "2024-05-01 09:05:07");
    EXPECT_EQ(Date::FromTime(9, 30).ToString(), "09:30:00");
    EXPECT_EQ(Date().ToString(), "1899-12-30");
    // The ends of the range keep four-digit years with their leading zeros.
    EXPECT_EQ(Date::FromParts(100, 1, 1, 0, 0, 1).ToString(), "0100-01-01 00:00:01");
    EXPECT_EQ(Date::FromParts(9999, 12, 31, 23, 59, 59).ToString(), "9999-12-31 23:59:59");
    EXPECT_EQ(Date::FromParts(1899, 12, 30, 0, 0, 1).ToString(), "00:00:01");
}

TEST(DateTest, ParseAcceptsTheFixedFormsOnly) {
    EXPECT_EQ(Date::Parse("2024-05-01"), Date::FromParts(2024, 5, 1));
    EXPECT_EQ(Date::Parse(" 2024-05-01T10:15 "), Date::FromParts(2024, 5, 1, 10, 15));
    EXPECT_EQ(Date::Parse("2024-05-01 10:15:30"), Date::FromParts(2024, 5, 1, 10, 15, 30));
    EXPECT_EQ(Date::Parse("07:45"), Date::FromTime(7, 45));
    for (const char* bad : {"2024-13-01", "2024-02-30", "2024-5-1", "2024-05-01 24:00", "yesterday", ""}) {
        EXPECT_FALSE(Date::TryParse(bad)) << bad;
    }
    EXPECT_THROW(Date::Parse("2024/05/01"), ComError);
}

TEST(DateTest, OutOfRangePartsRaiseInvalidArgument) {
    const auto error = Raised([&] { Date::FromParts(10000, 1, 1); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::InvalidProcedureCall);
    EXPECT_THROW(Date::FromParts(2023, 2, 29), ComError);
    EXPECT_THROW(Date::FromTime(24, 0), ComError);
}

}  // namespace
}  // namespace ostrellix
