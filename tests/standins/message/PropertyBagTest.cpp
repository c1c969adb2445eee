#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "standins/message/PropertyBag.h"
#include "standins/message/PropertySets.h"

namespace ostrellix::standin::message {
namespace {

std::vector<std::uint16_t> Ids(const PropertyBag& bag) {
    std::vector<std::uint16_t> ids;
    for (const auto& [id, value] : bag.Tagged()) ids.push_back(id);
    return ids;
}

// Whatever order properties arrive in (a reader's order, a user's edits),
// the bag lists them by id, finds each, and one id holds one property.
TEST(PropertyBagTest, TaggedPropertiesStayOrderedWhateverOrderTheyCome) {
    const std::vector<std::vector<std::uint16_t>> orders = {
        {0x0037, 0x0E1D, 0x1000, 0x3001},  // ascending, as a stored bag is read
        {0x3001, 0x1000, 0x0E1D, 0x0037},  // descending
        {0x1000, 0x0037, 0x3001, 0x0E1D},  // mixed
        {0x0E1D, 0x0E1D, 0x0037, 0x0037},  // repeated
    };
    for (const auto& order : orders) {
        PropertyBag bag;
        for (const std::uint16_t id : order) bag.Set(id, PropertyValue{pt::Long, Variant(std::int32_t{id})});
        std::vector<std::uint16_t> expected = order;
        std::ranges::sort(expected);
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        EXPECT_EQ(Ids(bag), expected);
        for (const std::uint16_t id : order) {
            EXPECT_EQ(bag.GetValue(MakeTag(id, pt::Long)).ToLong(), id) << std::hex << id;
        }
        EXPECT_FALSE(bag.Get(MakeTag(0x0001, pt::Long)));
        EXPECT_FALSE(bag.Get(MakeTag(0x7FFF, pt::Long)));
    }
}

TEST(PropertyBagTest, ATagReplacesItsIdWhateverTheTypeAndRemovalLeavesTheRest) {
    PropertyBag bag;
    bag.Set(tag::PR_SUBJECT, Variant("first"));
    bag.Set(MakeTag(TagId(tag::PR_SUBJECT), pt::String8), Variant("second"));
    bag.Set(tag::PR_BODY, Variant("body"));
    ASSERT_EQ(bag.Tagged().size(), 2u);
    EXPECT_EQ(bag.Get(tag::PR_SUBJECT)->type, pt::String8);
    EXPECT_EQ(bag.GetValue(tag::PR_SUBJECT).ToString(), "second");

    EXPECT_TRUE(bag.Remove(tag::PR_SUBJECT));
    EXPECT_FALSE(bag.Remove(tag::PR_SUBJECT));
    EXPECT_TRUE(bag.GetValue(tag::PR_SUBJECT).IsEmpty());
    EXPECT_EQ(bag.GetValue(tag::PR_BODY).ToString(), "body");
}

// Named properties keep the order of their names: by property set, then
// numeric ids before string names.
TEST(PropertyBagTest, NamedPropertiesAreKeptByName) {
    const PropertyName keloId{PublicStrings(), std::string("KeloID")};
    const PropertyName checksum{PublicStrings(), std::string("KeloChecksum")};
    const PropertyName email{psets::Address(), std::uint32_t{0x8083}};
    const PropertyName start{psets::Appointment(), std::uint32_t{0x820D}};
    PropertyBag bag;
    for (const PropertyName& name : {keloId, start, checksum, email, keloId}) {
        bag.SetNamed(name, PropertyValue{pt::Unicode, Variant(name == keloId ? "task:1" : "x")});
    }
    std::vector<PropertyName> names;
    for (const auto& [name, value] : bag.Named()) names.push_back(name);
    std::vector<PropertyName> expected = {keloId, start, checksum, email};
    std::ranges::sort(expected);
    EXPECT_EQ(names, expected);
    EXPECT_EQ(bag.GetNamed(keloId)->value.ToString(), "task:1");

    EXPECT_TRUE(bag.RemoveNamed(start));
    EXPECT_FALSE(bag.RemoveNamed(start));
    EXPECT_FALSE(bag.GetNamed(start));
    EXPECT_EQ(bag.Named().size(), 3u);
    EXPECT_TRUE(bag.GetNamed(email));
}

}  // namespace
}  // namespace ostrellix::standin::message
