#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "sync/Checksum.h"

namespace ostrellix::addin {
namespace {

TEST(ChecksumTest, ReferenceValues) {
    EXPECT_EQ(Checksum::Compute(""), "0");
    EXPECT_EQ(Checksum::Compute("abc"), "3437244318");
    EXPECT_EQ(Checksum::Compute("abcd"), "4289232387");
    EXPECT_EQ(Checksum::Compute("abcde"), "970580521");
}

TEST(ChecksumTest, HighCharacterWipesTheEarlierOnesOfItsBlock) {
    // 'ö' is 0xF6 in Windows-1252: sign-extended, it overwrites the upper 24
    // bits of its block, so the characters before it in the block do not count.
    EXPECT_EQ(Checksum::Compute("abö"), Checksum::Compute("xyö"));
    EXPECT_EQ(Checksum::Compute("abcdefö"), Checksum::Compute("abcdxyö"));
    EXPECT_NE(Checksum::Compute("abcdefö"), Checksum::Compute("xbcdefö"));  // another block
    // The character after it in the same block does count.
    EXPECT_NE(Checksum::Compute("aböc"), Checksum::Compute("aböd"));
}

TEST(ChecksumTest, PositionsMatterAcrossBlocks) {
    EXPECT_NE(Checksum::Compute("abcdabcd"), Checksum::Compute("abcd"));
    EXPECT_NE(Checksum::Compute("ab"), Checksum::Compute("ba"));
    EXPECT_NE(Checksum::Compute("2024-05-01 09:00:00"), Checksum::Compute("2024-05-01 09:00:01"));
}

TEST(ChecksumTest, CharactersOutsideTheCodePageCountAsQuestionMarks) {
    EXPECT_EQ(Checksum::Compute("Ā"), Checksum::Compute("?"));
    EXPECT_EQ(Checksum::Compute("中文"), Checksum::Compute("??"));
}

TEST(ChecksumTest, LengthLimitIsThePositionCounters) {
    EXPECT_NO_THROW(Checksum::Compute(std::string(32767, 'x')));
    try {
        Checksum::Compute(std::string(32768, 'x'));
        FAIL() << "a text over 32767 characters must overflow";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), errors::Overflow);
    }
    // Characters, not bytes: 20000 two-byte characters are within the limit.
    EXPECT_NO_THROW(Checksum::Compute([] {
        std::string s;
        for (int i = 0; i < 20000; ++i) s += "é";
        return s;
    }()));
}

}  // namespace
}  // namespace ostrellix::addin
