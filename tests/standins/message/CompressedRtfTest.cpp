#include <gtest/gtest.h>

#include "standins/message/CompressedRtf.h"
#include "runtime/ComError.h"
#include "tests/standins/message/TestMessages.h"

namespace ostrellix::standin::message {
namespace {

std::string Rtf(std::size_t paragraphs) {
    std::string rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\pard\\plain\\f0\\fs20 ";
    for (std::size_t i = 0; i < paragraphs; ++i) rtf += "Rad " + std::to_string(i * 7919 % 1000) + " med text\\par\r\n";
    return rtf + "}";
}

TEST(CompressedRtf, CompressedAndStoredFormsDecodeToTheSameText) {
    const Bytes noise = testing::SomeBytes(3000, 7);
    for (const std::string& rtf : {std::string(), std::string("{\\rtf1}"), Rtf(3), Rtf(2000),
                                   std::string(5000, 'a'),  // matches that overlap what they write
                                   std::string(noise.begin(), noise.end())}) {
        const auto compressed = CompressedRtf::Compress(rtf);
        EXPECT_EQ(CompressedRtf::Decompress(compressed, 1 << 24), rtf);
        EXPECT_EQ(CompressedRtf::Decompress(CompressedRtf::Store(rtf), 1 << 24), rtf);
    }
    EXPECT_LT(CompressedRtf::Compress(Rtf(2000)).size(), Rtf(2000).size() / 3);
}

TEST(CompressedRtf, DamagedValuesAreRefused) {
    const auto good = CompressedRtf::Compress(Rtf(50));
    auto badCrc = good;
    badCrc[40] ^= 0x55;
    EXPECT_THROW(CompressedRtf::Decompress(badCrc, 1 << 24), ComError);
    const std::vector<std::uint8_t> cut(good.begin(), good.end() - 10);
    EXPECT_THROW(CompressedRtf::Decompress(cut, 1 << 24), ComError);
    EXPECT_THROW(CompressedRtf::Decompress(std::vector<std::uint8_t>(10), 1 << 24), ComError);
    auto unknown = good;
    unknown[8] = 'X';
    EXPECT_THROW(CompressedRtf::Decompress(unknown, 1 << 24), ComError);
    // More output than the limit, or than the header promised.
    EXPECT_THROW(CompressedRtf::Decompress(good, 100), ComError);
    auto lying = good;
    lying[4] = 10;
    lying[5] = lying[6] = lying[7] = 0;
    EXPECT_THROW(CompressedRtf::Decompress(lying, 1 << 24), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::message
