#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "tests/support/Raised.h"

namespace ostrellix::text {
namespace {

using ostrellix::testing::Raised;

TEST(TextTest, CountsAndCutsInCharacters) {
    const std::string s = "Födelsedag på Ön";
    EXPECT_EQ(Len(s), 16u);
    EXPECT_EQ(Left(s, 2), "Fö");
    EXPECT_EQ(Right(s, 2), "Ön");
    EXPECT_EQ(Mid(s, 12, 2), "på");
    EXPECT_EQ(Mid(s, 15), "Ön");
    EXPECT_EQ(Mid(s, 40), "");
    EXPECT_EQ(Left(s, 100), s);
    EXPECT_THROW(Mid(s, 0), ComError);
    // An ill-formed byte is one character and is never split.
    EXPECT_EQ(Len("a\xFF" "b"), 3u);
    EXPECT_EQ(Left("\xE2\x82\xAC" "x", 1), "\xE2\x82\xAC");
}

TEST(TextTest, CaseMappingIsUnicode) {
    EXPECT_EQ(LCase("FÖDELSEDAG"), "födelsedag");
    EXPECT_EQ(UCase("födelsedag"), "FÖDELSEDAG");
    EXPECT_EQ(UCase("straße"), "STRASSE");
    EXPECT_TRUE(EqualsIgnoreCase("ÅSA", "åsa"));
    EXPECT_EQ(StrComp("a", "B", Compare::Text), -1);
    EXPECT_EQ(StrComp("a", "B", Compare::Binary), 1);
}

TEST(TextTest, AsciiTextComparesAsFoldedUnicode) {
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    for (const Case& c : {Case{"KeloID", "keloid", 0}, Case{"abc", "ABCD", -1}, Case{"ABD", "abc", 1},
                          // Folding lowers: "[" (0x5B) sorts before "a", though after "A".
                          Case{"[", "a", -1}, Case{"A", "[", 1}, Case{"", "", 0}, Case{"", "x", -1},
                          // The Kelvin sign folds to "k": mixed text still goes the Unicode way.
                          Case{"K", "\u212A", 0}}) {
        EXPECT_EQ(StrComp(c.a, c.b, Compare::Text), c.expected) << c.a << " vs " << c.b;
        EXPECT_EQ(StrComp(c.b, c.a, Compare::Text), -c.expected) << c.b << " vs " << c.a;
    }
    EXPECT_EQ(LCase("Item.KeloID[3]"), "item.keloid[3]");
    EXPECT_EQ(UCase("last_Modified 9"), "LAST_MODIFIED 9");
}

TEST(TextTest, TrimTakesBlanksOnly) {
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim("\ta\t"), "\ta\t");
    EXPECT_EQ(LTrim("  x "), "x ");
    EXPECT_EQ(RTrim("  x "), "  x");
    EXPECT_EQ(Trim("   "), "");
}

TEST(TextTest, ReplaceSplitAndSearch) {
    EXPECT_EQ(Replace("a\r\nb\r\nc", "\r\n", " "), "a b c");
    EXPECT_EQ(Replace("aaa", "aa", "b"), "ba");
    EXPECT_EQ(Replace("abc", "", "x"), "abc");
    EXPECT_EQ(Split("a,,b", ","), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_TRUE(Split("", ",").empty());
    EXPECT_EQ(Split("person:12", ":").size(), 2u);
    EXPECT_EQ(InStr("Åsa Öberg", "Ö"), 5u);
    EXPECT_EQ(InStr("abcabc", "c", 4), 6u);
    EXPECT_EQ(InStr("abc", "x"), 0u);
    EXPECT_EQ(InStr("abc", "", 2), 2u);
}

TEST(TextTest, LikePatterns) {
    EXPECT_TRUE(Like("Kelo Contacts", "Kelo*"));
    EXPECT_FALSE(Like("kelo Contacts", "Kelo*"));
    EXPECT_FALSE(Like("Contacts", "Kelo*"));
    EXPECT_TRUE(Like("Kelo", "Kelo*"));
    EXPECT_TRUE(Like("a1c", "a#c"));
    EXPECT_FALSE(Like("abc", "a#c"));
    EXPECT_TRUE(Like("ö", "?"));
    EXPECT_TRUE(Like("b", "[a-c]"));
    EXPECT_TRUE(Like("d", "[!a-c]"));
    EXPECT_FALSE(Like("b", "[!a-c]"));
    EXPECT_TRUE(Like("xaaab", "x*a*b"));
    EXPECT_FALSE(Like("xaaac", "x*a*b"));
    EXPECT_TRUE(Like("", "*"));
    const auto error = Raised([&] { Like("a", "[a-"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::InvalidPatternString);
}

TEST(TextTest, Windows1252HasOneBytePerCharacter) {
    EXPECT_EQ(ToWindows1252("abc"), "abc");
    EXPECT_EQ(ToWindows1252("a\tb\x7F"), "a\tb\x7F");
    EXPECT_EQ(ToWindows1252("é€"), "\xE9\x80");
    EXPECT_EQ(ToWindows1252("Ā中"), "??");  // not in the code page: a stable replacement
    EXPECT_EQ(ToWindows1252(""), "");
}

}  // namespace
}  // namespace ostrellix::text
