#include <gtest/gtest.h>

#include <limits>

#include "runtime/ComError.h"
#include "runtime/Dictionary.h"
#include "runtime/Variant.h"

namespace ostrellix {
namespace {

std::int32_t ErrorOf(auto&& call) {
    try {
        call();
    } catch (const ComError& error) {
        return error.Number();
    }
    return 0;
}

TEST(VariantTest, ConversionsToLongRoundHalfToEvenAndOverflow) {
    EXPECT_EQ(Variant(2.5).ToLong(), 2);
    EXPECT_EQ(Variant(3.5).ToLong(), 4);
    EXPECT_EQ(Variant(-2.5).ToLong(), -2);
    EXPECT_EQ(Variant(" 42 ").ToLong(), 42);
    EXPECT_EQ(Variant("&H1F").ToLong(), 31);
    EXPECT_EQ(Variant("&HFFFF").ToLong(), -1);  // four hex digits read as a 16-bit number
    EXPECT_EQ(Variant(true).ToLong(), -1);
    EXPECT_EQ(Variant().ToLong(), 0);
    EXPECT_EQ(ErrorOf([] { Variant(2147483647.6).ToLong(); }), errors::Overflow);
    EXPECT_EQ(ErrorOf([] { Variant("12abc").ToLong(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant("inf").ToLong(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToLong(); }), errors::InvalidUseOfNull);
}

TEST(VariantTest, IntegerIsSixteenBits) {
    EXPECT_EQ(Variant(32767).ToInteger(), 32767);
    EXPECT_EQ(Variant(-32768).ToInteger(), -32768);
    EXPECT_EQ(ErrorOf([] { Variant(32768).ToInteger(); }), errors::Overflow);
    EXPECT_EQ(ErrorOf([] { Variant("40000").ToInteger(); }), errors::Overflow);
    EXPECT_EQ(Variant(static_cast<std::int16_t>(-1)).VarType(), Variant::Type::Integer);
}

TEST(VariantTest, TextForms) {
    EXPECT_EQ(Variant(true).ToString(), "True");
    EXPECT_EQ(Variant(false).ToString(), "False");
    EXPECT_EQ(Variant(1.5).ToString(), "1.5");
    EXPECT_EQ(Variant(0.1).ToString(), "0.1");
    EXPECT_EQ(Variant(1e20).ToString(), "1E+20");
    EXPECT_EQ(Variant(-7).ToString(), "-7");
    EXPECT_EQ(Variant().ToString(), "");
    EXPECT_EQ(Variant(Date::FromParts(2024, 5, 1, 9, 30)).ToString(), "2024-05-01 09:30:00");
    EXPECT_EQ(ErrorOf([] { Variant::Null().ToString(); }), errors::InvalidUseOfNull);
    EXPECT_EQ(ErrorOf([] { Variant(Bytes{1, 2}).ToString(); }), errors::TypeMismatch);
}

TEST(VariantTest, BooleanAndDateConversions) {
    EXPECT_TRUE(Variant("TRUE").ToBoolean());
    EXPECT_FALSE(Variant("false").ToBoolean());
    EXPECT_TRUE(Variant("-1").ToBoolean());
    EXPECT_FALSE(Variant(0.0).ToBoolean());
    EXPECT_EQ(ErrorOf([] { Variant("maybe").ToBoolean(); }), errors::TypeMismatch);

    EXPECT_EQ(Variant("2024-05-01 10:15").ToDate(), Date::FromParts(2024, 5, 1, 10, 15));
    EXPECT_EQ(Variant(949998).ToDate(), Date::FromParts(4501, 1, 1));
    EXPECT_EQ(ErrorOf([] { Variant("01/05/2024").ToDate(); }), errors::TypeMismatch);
    EXPECT_EQ(ErrorOf([] { Variant(3e6).ToDate(); }), errors::Overflow);
}

TEST(VariantTest, KindsAndTests) {
    EXPECT_TRUE(Variant().IsEmpty());
    EXPECT_TRUE(Variant::Null().IsNull());
    EXPECT_FALSE(Variant::Null().IsEmpty());
    EXPECT_TRUE(Variant("1e3").IsNumeric());
    EXPECT_FALSE(Variant("1e3x").IsNumeric());
    EXPECT_TRUE(Variant("2024-02-29").IsDate());
    EXPECT_FALSE(Variant("2023-02-29").IsDate());

    const Variant nothing = Ptr<Dictionary>();
    EXPECT_TRUE(nothing.IsObject());
    EXPECT_TRUE(nothing.IsNothing());
    EXPECT_FALSE(nothing.IsEmpty());
    EXPECT_EQ(ErrorOf([] { Variant("text").ToObject(); }), errors::ObjectRequired);

    const Variant array = VariantArray{Variant(1), Variant("a")};
    EXPECT_TRUE(array.IsArray());
    EXPECT_EQ(array.VarType(), Variant::Type::Array);
    EXPECT_EQ(array.ToArray()[1].ToString(), "a");
}

TEST(VariantTest, ObjectsCompareByIdentity) {
    auto a = std::make_shared<Dictionary>();
    auto b = std::make_shared<Dictionary>();
    EXPECT_EQ(Variant(a), Variant(a));
    EXPECT_FALSE(Variant(a) == Variant(b));
    EXPECT_EQ(Variant(a).ToObjectAs<Dictionary>(), a);
    EXPECT_FALSE(Variant(1) == Variant(1.0));  // different kinds
}

}  // namespace
}  // namespace ostrellix
