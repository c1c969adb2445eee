#include "standins/system/FaultSwitch.h"

#include <gtest/gtest.h>

namespace ostrellix::standin::system {
namespace {

TEST(FaultSwitchTest, ReadsACallNumberWithOrWithoutAMember) {
    const struct {
        const char* text;
        std::optional<FaultSwitch::Plan> plan;
    } cases[] = {
        {"3", FaultSwitch::Plan{"", 3}},
        {"Engine:12", FaultSwitch::Plan{"Engine", 12}},
        {"", std::nullopt},
        {"0", std::nullopt},
        {"-2", std::nullopt},
        {"3x", std::nullopt},
        {"Engine:", std::nullopt},
        {":4", std::nullopt},
        {"Engine", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto plan = FaultSwitch::Parse(c.text);
        ASSERT_EQ(plan.has_value(), c.plan.has_value()) << c.text;
        if (!plan) continue;
        EXPECT_EQ(plan->member, c.plan->member) << c.text;
        EXPECT_EQ(plan->call, c.plan->call) << c.text;
    }
}

TEST(FaultSwitchTest, FailsOnlyTheChosenCallCountingFromWhenItWasArmed) {
    FaultSwitch faults;
    EXPECT_FALSE(faults.Pass("Outlook"));  // off: counted, never failed
    faults.Arm({"", 2});
    EXPECT_FALSE(faults.Pass("Outlook"));
    EXPECT_FALSE(faults.Fired());
    EXPECT_TRUE(faults.Pass("Engine"));
    EXPECT_TRUE(faults.Fired());
    EXPECT_FALSE(faults.Armed());
    EXPECT_FALSE(faults.Pass("Engine"));
    EXPECT_EQ(faults.Calls(), 4);
}

TEST(FaultSwitchTest, AMemberCountsOnlyItsOwnCallsWithoutRegardToCase) {
    FaultSwitch faults;
    faults.Arm({"writefile", 2});
    EXPECT_FALSE(faults.Pass("WriteFile"));
    EXPECT_FALSE(faults.Pass("Outlook"));
    EXPECT_FALSE(faults.Pass("Engine"));
    EXPECT_TRUE(faults.Pass("WriteFile"));
}

}  // namespace
}  // namespace ostrellix::standin::system
