#include <gtest/gtest.h>

#include "compose/RecipientLines.h"
#include "runtime/Collection.h"
#include "standins/kelo/client/ObjectList.h"
#include "standins/kelo/client/Recipient.h"

namespace ostrellix::addin {
namespace {

using standin::kelo::Recipient;
using standin::kelo::Recipients;

Variant One(std::int32_t type, const char* address) { return Variant(std::make_shared<Recipient>(type, address)); }

Variant Many(std::vector<std::pair<std::int32_t, const char*>> members) {
    std::vector<Ptr<kelo::IRecipient>> list;
    for (const auto& [type, address] : members) list.push_back(std::make_shared<Recipient>(type, address));
    return Variant(std::make_shared<Recipients>(std::move(list)));
}

TEST(RecipientLinesTest, EachFormOfRecipientsGivesItsLines) {
    const struct {
        const char* what;
        Variant recipients;
        std::string to, cc, bcc;
    } cases[] = {
        {"a text is trimmed", Variant("  lena@tallbacka.com "), "lena@tallbacka.com", "", ""},
        {"an array is joined, an empty first entry adds nothing",
         Variant(VariantArray{Variant(""), Variant(" a@x.se"), Variant("b@x.se ")}), "a@x.se; b@x.se", "", ""},
        {"an empty entry later still takes its separator",
         Variant(VariantArray{Variant("a@x.se"), Variant(" "), Variant("b@x.se")}), "a@x.se; ; b@x.se", "", ""},
        {"one recipient object keeps its address as it stands", One(2, " c@x.se "), "", " c@x.se ", ""},
        {"one recipient of no line type", One(4, "d@x.se"), "", "", ""},
        {"a collection sorts by type and trims",
         Many({{2, " e@x.se"}, {1, "f@x.se "}, {3, "g@x.se"}, {0, "h@x.se"}, {4, "i@x.se"}, {1, "j@x.se"}}),
         "f@x.se; j@x.se", "e@x.se", "g@x.se"},
        {"copies only leave To empty", Many({{2, "e@x.se"}, {3, "g@x.se"}}), "", "e@x.se", "g@x.se"},
        {"another kind of object", Variant(std::make_shared<Collection>()), "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RecipientLines lines(c.recipients);
        EXPECT_TRUE(lines.Given());
        EXPECT_EQ(lines.Line(1), c.to);
        EXPECT_EQ(lines.Line(2), c.cc);
        EXPECT_EQ(lines.Line(3), c.bcc);
    }
    EXPECT_FALSE(RecipientLines(Variant()).Given());
}

}  // namespace
}  // namespace ostrellix::addin
