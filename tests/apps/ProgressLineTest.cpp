#include "apps/ostrellix/ProgressLine.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ostrellix::host {
namespace {

using std::chrono::milliseconds;

class ProgressLineTest : public ::testing::Test {
protected:
    ProgressLine::Clock Clock() {
        return [this] { return std::chrono::steady_clock::time_point() + now; };
    }
    std::ostringstream screen;
    milliseconds now{5000};
};

TEST_F(ProgressLineTest, TellsDoneOfTotalRateAndTimeLeft) {
    struct Case {
        std::size_t total;
        std::size_t done;
        milliseconds elapsed;
        const char* text;
    };
    for (const Case& c : {
             Case{1000, 0, milliseconds(3000), "0/1000 files"},
             Case{1000, 250, milliseconds(0), "250/1000 files"},
             Case{1000, 250, milliseconds(1000), "250/1000 files, 250 files/s, 0:03 left"},
             Case{10, 1, milliseconds(2000), "1/10 files, 0.5 files/s, 0:18 left"},
             Case{1000, 999, milliseconds(1998), "999/1000 files, 500 files/s, 0:00 left"},
             Case{1000, 10, milliseconds(10000), "10/1000 files, 1.0 files/s, 16:30 left"},
             Case{100000, 10, milliseconds(10000), "10/100000 files, 1.0 files/s, 27:46:30 left"},
             Case{10, 10, milliseconds(2000), "10/10 files, 5.0 files/s"},
         }) {
        now = milliseconds(5000);
        ProgressLine line(screen, c.total, "files", Clock());
        now += c.elapsed;
        line.Advance(c.done);
        EXPECT_EQ(line.Text(), c.text) << c.done << "/" << c.total << " in " << c.elapsed.count() << " ms";
    }
}

TEST_F(ProgressLineTest, IsRedrawnInPlaceAndClearedForOtherOutput) {
    {
        ProgressLine line(screen, 4, "files", Clock());
        line.Advance(0);
        now += milliseconds(1000);
        line.Advance();
        EXPECT_EQ(screen.str(), "\r\x1b[K0/4 files\r\x1b[K1/4 files, 1.0 files/s, 0:03 left");
        screen.str("");
        line.Clear();
        line.Clear();  // nothing drawn, nothing to clear
        EXPECT_EQ(screen.str(), "\r\x1b[K");
        screen.str("");
        line.Advance();
    }
    // Gone from the screen with the work.
    EXPECT_EQ(screen.str(), "\r\x1b[K2/4 files, 2.0 files/s, 0:01 left\r\x1b[K");
}

}  // namespace
}  // namespace ostrellix::host
