#include <gtest/gtest.h>

#include <stdexcept>

#include "runtime/ErrorHandling.h"

namespace ostrellix {
namespace {

TEST(ErrorHandlingTest, IgnoreErrorsRunsOnAndKeepsTheError) {
    int steps = 0;
    const auto first = IgnoreErrors([&] {
        ++steps;
        throw ComError(9999, "Ostrellix", "first");
    });
    const auto second = IgnoreErrors([&] { ++steps; });
    EXPECT_EQ(steps, 2);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->Description(), "first");
    EXPECT_FALSE(second);
}

TEST(ErrorHandlingTest, ForeignExceptionsBecomeUnexpectedErrors) {
    const auto error = IgnoreErrors([] { throw std::runtime_error("disk on fire"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::Unexpected);
    EXPECT_EQ(error->Description(), "disk on fire");
}

TEST(ErrorHandlingTest, TrapHandsTheErrorToItsHandlerOnly) {
    std::string reported;
    Trap([] { throw ComError(13, "VB", "Type mismatch"); },
         [&](const ComError& error) { reported = error.Source() + ":" + error.Description(); });
    EXPECT_EQ(reported, "VB:Type mismatch");

    bool called = false;
    Trap([] {}, [&](const ComError&) { called = true; });
    EXPECT_FALSE(called);
}

TEST(ErrorHandlingTest, PassOnCleansUpAndRaisesTheSameError) {
    bool cleaned = false;
    try {
        PassOn([]() -> int { throw ComError(-2147221504, "Ostrellix", "Failed", "help.chm", 7); },
               [&] {
                   cleaned = true;
                   throw ComError(1, "cleanup", "ignored");
               });
        FAIL();
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), -2147221504);
        EXPECT_EQ(error.Source(), "Ostrellix");
        EXPECT_EQ(error.Description(), "Failed");
        EXPECT_EQ(error.HelpFile(), "help.chm");
        EXPECT_EQ(error.HelpContext(), 7);
    }
    EXPECT_TRUE(cleaned);
    EXPECT_EQ(PassOn([] { return 5; }, [] {}), 5);
}

TEST(ErrorHandlingTest, HexNumbersAreTheThirtyTwoBits) {
    EXPECT_EQ(ComError(static_cast<std::int32_t>(0x80040000u), "", "").HexNumber(), "80040000");
    EXPECT_EQ(ComError(13, "", "").HexNumber(), "D");
}

}  // namespace
}  // namespace ostrellix
