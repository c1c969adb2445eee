#include <gtest/gtest.h>

#include "runtime/Base64.h"
#include "runtime/Hex.h"
#include "runtime/ClassFactory.h"
#include "runtime/Collection.h"
#include "runtime/ComError.h"
#include "runtime/Dictionary.h"
#include "runtime/Guid.h"

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

TEST(DictionaryTest, KeepsInsertionOrderThroughRemovals) {
    Dictionary d;
    d.Add("person:3", 3);
    d.Add("todo:1", 1);
    d.Add("person:2", 2);
    d.Remove("todo:1");
    d.Add("todo:1", 10);
    EXPECT_EQ(d.Keys(), (std::vector<std::string>{"person:3", "person:2", "todo:1"}));
    EXPECT_EQ(d.Item("todo:1").ToLong(), 10);
    EXPECT_TRUE(d.Item("absent").IsEmpty());
    EXPECT_FALSE(d.Exists("absent"));
    EXPECT_EQ(ErrorOf([&] { d.Add("person:2", 0); }), errors::DuplicateKey);
    EXPECT_EQ(ErrorOf([&] { d.Remove("absent"); }), errors::ElementNotFound);
    d.SetItem("person:3", 30);
    d.SetItem("new", 1);
    EXPECT_EQ(d.Items().front().ToLong(), 30);
    EXPECT_EQ(d.Count(), 4);
}

TEST(CollectionTest, PositionsKeysAndIdentity) {
    Collection c;
    auto a = std::make_shared<Dictionary>();
    auto b = std::make_shared<Dictionary>();
    c.Add(Variant(a));
    c.Add(Variant(b), "Second");
    c.Add(Variant(a));
    EXPECT_EQ(c.Item("second").ToObject(), b);
    EXPECT_EQ(ErrorOf([&] { c.Item(4); }), errors::SubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { c.Item("third"); }), errors::InvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { c.Add(Variant(1), "SECOND"); }), errors::DuplicateKey);

    // Removes the first entry that is the same object, not an equal one.
    EXPECT_FALSE(c.RemoveObject(std::make_shared<Dictionary>()));
    EXPECT_TRUE(c.RemoveObject(a));
    EXPECT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Item(1).ToObject(), b);
    EXPECT_EQ(c.Item(2).ToObject(), a);
}

TEST(ClassFactoryTest, CreatesByProgIdIgnoringCase) {
    ClassFactory factory;
    factory.Register("Scripting.Dictionary", [] { return std::make_shared<Dictionary>(); });
    EXPECT_TRUE(Is<Dictionary>(factory.Create("scripting.dictionary")));
    EXPECT_NE(factory.Create("Scripting.Dictionary"), factory.Create("Scripting.Dictionary"));
    EXPECT_EQ(ErrorOf([&] { factory.Create("No.Such"); }), errors::CannotCreateObject);
    factory.Unregister("SCRIPTING.DICTIONARY");
    EXPECT_FALSE(factory.IsRegistered("Scripting.Dictionary"));
}

TEST(GuidTest, ParsesOnlyTheBracedForm) {
    const std::string outlook = "{0006F03A-0000-0000-C000-000000000046}";
    EXPECT_EQ(Guid::Parse(outlook).ToString(), outlook);
    EXPECT_EQ(Guid::Parse("{0006f03a-0000-0000-c000-000000000046}"), Guid::Parse(outlook));
    for (const char* bad : {"0006F03A-0000-0000-C000-000000000046", "{0006F03A-0000-0000-C000-00000000004}",
                            "{0006F03A-0000-0000-C000_000000000046}", "{0006F03A-0000-0000-C000-00000000004G}"}) {
        EXPECT_EQ(ErrorOf([&] { Guid::Parse(bad); }), CO_E_CLASSSTRING) << bad;
    }
    EXPECT_NE(Guid::New(), Guid::New());
    EXPECT_EQ(Guid::New().ToString()[15], '4');  // version 4
}

TEST(Base64Test, RoundTripsAndRejectsStrangers) {
    EXPECT_EQ(Base64Encode(Bytes{'M', 'a', 'n'}), "TWFu");
    EXPECT_EQ(Base64Encode(Bytes{'M', 'a'}), "TWE=");
    EXPECT_EQ(Base64Encode(Bytes{'M'}), "TQ==");
    Bytes all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
    EXPECT_EQ(Base64Decode(Base64Encode(all)), all);
    EXPECT_EQ(Base64Decode("TW\r\nFu"), (Bytes{'M', 'a', 'n'}));
    EXPECT_THROW(Base64Decode("TW*u"), ComError);
}

TEST(HexTest, RoundTripsEitherCaseAndRejectsStrangers) {
    Bytes all;
    for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
    EXPECT_EQ(HexEncode(Bytes{0x00, 0x0F, 0xA0, 0xFF}), "000FA0FF");
    EXPECT_EQ(HexDecode(HexEncode(all)), all);
    EXPECT_EQ(HexDecode("00fa0F"), (Bytes{0x00, 0xFA, 0x0F}));
    EXPECT_EQ(HexDecode(""), Bytes{});
    EXPECT_FALSE(HexDecode("ABC")) << "odd length";
    EXPECT_FALSE(HexDecode("0G")) << "no digit";
}

}  // namespace
}  // namespace ostrellix
