#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

class TimerTest : public KeloFixture {
protected:
    TimerTest() {
        timer = App().Events().Timer.Connect([this](std::int32_t id) {
            fired.emplace_back(id, clock->Now().ToString());
        });
    }
    Connection timer;
    std::vector<std::pair<std::int32_t, std::string>> fired;
};

TEST_F(TimerTest, TimersFireInDueOrderAtTheTimeTheyAreDue) {
    App().SetTimer(2139892, 30000);
    App().SetTimer(7, 100);
    user.AdvanceTime(250);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0].first, 7);
    EXPECT_EQ(fired[1].first, 7);
    fired.clear();
    App().SetTimer(7, 0);
    user.AdvanceTime(65000);
    ASSERT_EQ(fired.size(), 2u);
    EXPECT_EQ(fired[0], std::make_pair(2139892, std::string("2024-05-01 09:00:30")));
    EXPECT_EQ(fired[1], std::make_pair(2139892, std::string("2024-05-01 09:01:00")));
    EXPECT_EQ(clock->Now().ToString(), "2024-05-01 09:01:05");
}

TEST_F(TimerTest, AHandlerMayStopItsOwnTimerOrOthers) {
    Connection stopper = App().Events().Timer.Connect([this](std::int32_t id) {
        if (id == 1) {
            App().SetTimer(1, 0);
            App().SetTimer(2, 0);
        }
    });
    App().SetTimer(1, 100);
    App().SetTimer(2, 100);
    user.AdvanceTime(1000);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].first, 1);
    EXPECT_FALSE(App().Timers().IsRunning(2));
    EXPECT_THROW(App().SetTimer(3, -1), ComError);
}

TEST_F(TimerTest, SettingARunningTimerAgainStartsItsIntervalAnew) {
    App().SetTimer(9, 1000);
    user.AdvanceTime(800);
    App().SetTimer(9, 1000);
    user.AdvanceTime(800);
    EXPECT_TRUE(fired.empty());
    user.AdvanceTime(200);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0].second, "2024-05-01 09:00:02");  // 1.8 s after the start, to the second
}

TEST_F(TimerTest, AnOverdueTimerFiresOnceWhenTimeJumps) {
    App().SetTimer(5, 1000);
    clock->AdvanceSeconds(10);
    App().FireTimers();
    EXPECT_EQ(fired.size(), 1u);
    App().FireTimers();
    EXPECT_EQ(fired.size(), 1u);
    clock->AdvanceSeconds(1);
    App().FireTimers();
    EXPECT_EQ(fired.size(), 2u);
}

}  // namespace
}  // namespace ostrellix::standin::kelo
