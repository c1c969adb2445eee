#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <nlohmann/json.hpp>

#include "contracts/outlook/Constants.h"
#include "runtime/ComError.h"
#include "standins/message/PropertySets.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/AddressBook.h"
#include "standins/outlook/BodyText.h"
#include "standins/outlook/ItemIndex.h"
#include "standins/outlook/LibraryMessageDecoder.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageCodec.h"
#include "standins/outlook/NamedPropertyMap.h"
#include "standins/outlook/OneOffEntryId.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/outlook/ViewDefinition.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::outlook {
namespace {

namespace ol = ::ostrellix::outlook;
namespace pt = message::pt;
namespace tag = message::tag;

// One-off EntryIDs as other mail programs write them: 8-bit strings when the
// Unicode flag is clear, UTF-16LE when it is set.
TEST(OneOffEntryIdTest, ReadsBothStringFormsAndWritesUnicode) {
    const std::string prefix = "00000000812B1FA4BEA310199D6E00DD010F5402";
    // "M\xE4rta", "SMTP", "marta@kund.se" in windows-1252, flags 0x0001.
    const auto ansi = OneOffEntryId::Read(prefix + "00000100" + "4DE4727461" + "00" + "534D5450" + "00" +
                                          "6D61727461406B756E642E7365" + "00");
    ASSERT_TRUE(ansi);
    EXPECT_EQ(ansi->name, "M\u00e4rta");
    EXPECT_EQ(ansi->type, "SMTP");
    EXPECT_EQ(ansi->address, "marta@kund.se");

    const std::string written = OneOffEntryId::Make("\u00d6rjan", "SMTP", "o@kund.se");
    EXPECT_EQ(written.substr(prefix.size(), 16), "00000190D6007200") << "version 0, Unicode flags, then UTF-16LE";
    const auto unicode = OneOffEntryId::Read(written);
    ASSERT_TRUE(unicode);
    EXPECT_EQ(unicode->name, "\u00d6rjan");
    EXPECT_EQ(unicode->address, "o@kund.se");

    EXPECT_FALSE(OneOffEntryId::Read(written.substr(0, written.size() - 4))) << "the address lost its terminator";
    EXPECT_FALSE(OneOffEntryId::Read(prefix + "0000")) << "no flags";
    EXPECT_FALSE(OneOffEntryId::Read("00000000DCA740C8C042101AB4B908002B2FE1820100")) << "another provider";
}

TEST(MessageCodecTest, KeepsEveryKindOfValueAndEmbeddedMessages) {
    using json = nlohmann::json;
    message::MessageData inner;
    inner.properties.Set(tag::PR_SUBJECT, Variant("inner"));
    message::MessageData outer;
    message::PropertyBag& bag = outer.properties;
    bag.Set(tag::PR_SUBJECT, Variant("Ärende ✓"));
    bag.Set(tag::PR_MESSAGE_FLAGS, Variant(9));
    bag.Set(0x00170002, Variant(std::int16_t{-2}));
    bag.Set(tag::PR_MESSAGE_TO_ME, Variant(true));
    bag.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(Date::FromParts(2024, 5, 1, 10, 15, 30)));
    bag.Set(0x10090102, Variant(Bytes{0, 1, 255}));
    bag.Set(0x3FFF0005, Variant(0.25));
    bag.Set(0x3FFE0005, Variant(0.1));  // needs 64 bits
    bag.Set(0x3FFD0003, Variant(-100000));
    bag.Set(0x3FFC0003, Variant(70000));
    bag.Set(tag::PR_BODY, Variant(std::string(300, 'x')));
    bag.Set(0x0E2A0014, Variant(Bytes{1, 2, 3, 4, 5, 6, 7, 8}));  // a type kept as its raw bytes
    bag.SetNamed({message::PublicStrings(), std::string("Keywords")},
                 {pt::MultiValued | pt::Unicode, Variant(VariantArray{Variant("a"), Variant("b")})});
    bag.SetNamed({message::psets::Appointment(), std::uint32_t{0x820D}},
                 {pt::SysTime, Variant(Date::FromParts(2024, 6, 1, 9, 0))});
    message::RecipientData recipient;
    recipient.properties.Set(tag::PR_DISPLAY_NAME, Variant("Bo"));
    outer.recipients.push_back(recipient);
    message::AttachmentData attachment;
    attachment.properties.Set(tag::PR_ATTACH_METHOD, Variant(5));
    attachment.embedded = std::make_shared<message::MessageData>(inner);
    outer.attachments.push_back(attachment);

    const Bytes encoded = MessageCodec::Encode(outer);
    // The layout stays what stores already hold: canonical CBOR as a JSON
    // library writes the same document (sorted keys, shortest forms).
    EXPECT_EQ(encoded, json::to_cbor(json::from_cbor(encoded)));
    const message::MessageData decoded = MessageCodec::Decode(encoded);
    EXPECT_EQ(decoded, outer);
    EXPECT_EQ(LibraryMessageDecoder::Decode(encoded), outer) << "the JSON library's reading agrees";
    EXPECT_EQ(decoded.properties.Get(0x0E2A0014)->type, 0x0014);
    ASSERT_TRUE(decoded.attachments[0].embedded);
    EXPECT_EQ(decoded.attachments[0].embedded->properties.GetValue(tag::PR_SUBJECT).ToString(), "inner");
}

TEST(MessageCodecTest, BytesThatAreNoMessageRaiseAClearError) {
    using json = nlohmann::json;
    const json bag = {{"t", json::array()}, {"n", json::array()}};
    const auto withProperty = [&](const json& entry) {
        return json{{"p", {{"t", json::array({entry})}, {"n", json::array()}}}, {"r", json::array()},
                    {"a", json::array()}};
    };
    EXPECT_NO_THROW(MessageCodec::Decode(json::to_cbor({{"p", bag}, {"r", json::array()}, {"a", json::array()}})));
    std::vector<Bytes> garbage = {Bytes{}, Bytes{0xFF, 0x00, 0x12}, Bytes{0xA0}};
    for (const json& shape : {
             json{{"p", bag}, {"r", json::array()}},                                  // no attachments
             json{{"p", bag}, {"r", json::array()}, {"a", json::array()}, {"x", 1}},  // an unknown part
             json::array({bag}),                                                      // no message at all
             withProperty(json::array({0x37, 0x1F, json::array({8})})),               // text without content
             withProperty(json::array({0x37, 0x1F, json::array({8, 12})})),           // a number for text
             withProperty(json::array({0x37, 0x1F, json::array({9, 1})})),            // an object value
             withProperty(json::array({0x37, 0x1F})),                                 // no value
         }) {
        garbage.push_back(json::to_cbor(shape));
    }
    {
        // A bag that claims billions of properties and ends: an error, not an attempt to make room for them.
        Bytes huge = json::to_cbor({{"p", bag}, {"r", json::array()}, {"a", json::array()}});
        const Bytes emptyTagged = {0x61, 't', 0x80};
        const auto at = std::search(huge.begin(), huge.end(), emptyTagged.begin(), emptyTagged.end());
        ASSERT_NE(at, huge.end());
        huge.erase(at + 2, huge.end());
        huge.insert(huge.end(), {0x9B, 0, 0, 0, 0x10, 0, 0, 0, 0});
        garbage.push_back(huge);
    }
    // An id given as a real that is not a number, or one past the 64-bit range.
    for (const double real : {std::nan(""), 1e19, -1e19}) {
        garbage.push_back(json::to_cbor(withProperty(json::array({real, 0x1F, json::array({0x1F, "x"})}))));
    }
    // A fuzzer's find: a negative not-a-number where a number belongs.
    garbage.push_back({0xa4, 0x61, 0x61, 0x80, 0x61, 0x70, 0xb5, 0x61, 0x74, 0x8e, 0x98, 0x9f, 0xfb,
                       0xff, 0xfe, 0xff, 0xff, 0x91, 0xc7, 0x35, 0x35, 0x35, 0x35, 0x35, 0x35, 0x35,
                       0x35, 0x35, 0x35, 0x32, 0x35, 0x43, 0xa6, 0x01, 0x00, 0x00, 0x09});
    for (const Bytes& bytes : garbage) {
        const auto error = ostrellix::testing::Raised([&] { MessageCodec::Decode(bytes); });
        ASSERT_TRUE(error) << "decoded garbage of " << bytes.size() << " bytes";
        EXPECT_NE(error->Description().find("stored message cannot be read"), std::string::npos);
    }
}

TEST(ItemIndexTest, IndexesFilterablePropertiesAndUserPropertiesInLowerCaseUnderTheKeysAsked) {
    message::MessageData data;
    data.properties.Set(tag::PR_SUBJECT, Variant("Lunch WITH Bo"));
    data.properties.Set(tag::PR_BODY, Variant("not indexed"));
    data.properties.SetNamed(mapi::UserPropertyName("KeloID"), {pt::Unicode, Variant("Person:12")});
    data.properties.SetNamed(mapi::UserPropertyName("Checked"), {pt::Boolean, Variant(true)});
    data.properties.SetNamed(mapi::UserPropertyName(mapi::kKeywords),
                             {pt::MultiValued | pt::Unicode, Variant(VariantArray{Variant("Kelo"), Variant("VIP")})});
    data.properties.Set(tag::PR_LAST_MODIFICATION_TIME, Variant(Date::FromParts(2024, 5, 1, 10, 15, 30)));
    data.properties.Set(mapi::tag::PR_IMPORTANCE, Variant(2));
    data.properties.SetNamed(mapi::UserPropertyName("Unasked"), {pt::Unicode, Variant("no")});
    const ItemIndex::Keys keys{"subject",    "body",        "u:keloid",
                               "u:checked",  "categories",  "u:keywords",
                               "u:missing",  "lastmodificationtime"};
    std::map<std::string, std::vector<ItemIndex::Value>> entries;
    for (const ItemIndex::Entry& entry : ItemIndex::Entries(data, keys)) entries[entry.key].push_back(entry.value);
    EXPECT_FALSE(entries.contains("importance"));
    EXPECT_FALSE(entries.contains("u:unasked"));
    EXPECT_FALSE(entries.contains("u:missing"));
    EXPECT_EQ(entries["subject"], std::vector<ItemIndex::Value>{std::string("lunch with bo")});
    EXPECT_FALSE(entries.contains("body"));
    EXPECT_EQ(entries["u:keloid"], std::vector<ItemIndex::Value>{std::string("person:12")});
    EXPECT_EQ(entries["u:checked"], std::vector<ItemIndex::Value>{1.0});
    EXPECT_EQ(entries["categories"], (std::vector<ItemIndex::Value>{std::string("kelo"), std::string("vip")}));
    EXPECT_FALSE(entries.contains("u:keywords")) << "categories are no user property";
    const double seconds = std::get<double>(entries["lastmodificationtime"].front());
    EXPECT_EQ(seconds, ItemIndex::DateKey(Date::FromParts(2024, 5, 1, 10, 15, 0)) + 30);
}

TEST(NamedPropertyMapTest, IdsAreGivenOnceAndKept) {
    ostrellix::testing::TempDirectory directory;
    const std::string path = (directory.Path() / "store").string();
    const message::PropertyName email{message::psets::Address(), std::uint32_t{0x8083}};
    const message::PropertyName keloId = mapi::UserPropertyName("KeloID");
    {
        StoreDatabase db(path);
        NamedPropertyMap map(db);
        EXPECT_EQ(map.IdOf(email), 0x8000);
        EXPECT_EQ(map.IdOf(keloId), 0x8001);
        EXPECT_EQ(map.IdOf(email), 0x8000);
        EXPECT_FALSE(map.NameOf(0x8002));
    }
    StoreDatabase db(path);
    NamedPropertyMap map(db);
    EXPECT_EQ(map.NameOf(0x8001), keloId);
    EXPECT_EQ(map.IdOf(keloId), 0x8001);
    EXPECT_EQ(map.IdOf(mapi::UserPropertyName("GUID")), 0x8002);
}

TEST(AddressBookTest, ResolvesNamesAddressesAndOneOffs) {
    StoreDatabase db(StoreDatabase::kInMemory);
    AddressBook book(db, "Ostrellix");
    const AddressEntryData anna = book.EnsureDirectoryEntry("Anna Berg", "Anna.Berg@ostrellix.example");
    EXPECT_EQ(book.EnsureDirectoryEntry("Anna Berg", "anna.berg@ostrellix.example").entryId, anna.entryId);
    EXPECT_EQ(anna.type, "EX");
    EXPECT_EQ(anna.address,
              "/o=Ostrellix/ou=Administrative Group/cn=Recipients/cn=anna.berg");
    book.EnsureDirectoryEntry("Anders Berg", "anders@ostrellix.example");
    book.EnsureList("Kelo Address Book", 3);
    book.EnsureSmtpEntry("Kelo Address Book", "Anna B. (Kelo)", "anna.berg@ostrellix.example");

    EXPECT_EQ(book.Resolve("anna berg")->entryId, anna.entryId);
    EXPECT_EQ(book.Resolve(anna.address)->entryId, anna.entryId);
    EXPECT_EQ(book.Resolve("ANNA.BERG@ostrellix.example")->type, "EX") << "the directory comes first";
    EXPECT_EQ(book.Resolve("anna", "Kelo Address Book")->type, "SMTP");
    EXPECT_FALSE(book.Resolve("An")) << "Anna and Anders";
    EXPECT_FALSE(book.Resolve("Nobody"));
    EXPECT_FALSE(book.Resolve("   "));
    const auto oneOff = book.Resolve("new@kund.example");
    ASSERT_TRUE(oneOff);
    EXPECT_EQ(oneOff->type, "SMTP");
    EXPECT_EQ(book.Find(oneOff->entryId)->smtpAddress, "new@kund.example");
    EXPECT_EQ(book.Find(anna.entryId)->name, "Anna Berg");
    EXPECT_FALSE(book.Find("00000000812B1FA4BEA310199D6E00DD010F5402ZZ"));
    EXPECT_THROW(book.Entries("No list"), ComError);

    message::PropertyBag recipient;
    AddressBook::FillRecipient(recipient, anna);
    EXPECT_EQ(AddressBook::FromRecipient(recipient)->entryId, anna.entryId);
    EXPECT_EQ(recipient.GetValue(tag::PR_SMTP_ADDRESS).ToString(), "Anna.Berg@ostrellix.example");
}

TEST(BodyTextTest, PlainAndHtmlBodiesFollowEachOther) {
    EXPECT_EQ(BodyText::ToHtml("a < b & c\r\nnext\nlast"),
              "<html><body>a &lt; b &amp; c<br>next<br>last</body></html>");
    EXPECT_EQ(BodyText::FromHtml("<HTML><HEAD><TITLE>t</TITLE></HEAD><BODY class=x>Hi&nbsp;Bo,<BR/>"
                                 "<div>line</div><p>&quot;q&quot; &amp; &#39;s&#39; &unknown;</p></BODY>after"),
              "Hi Bo,\r\nline\r\n\"q\" & 's' &unknown;\r\n");
    EXPECT_EQ(BodyText::FromHtml("no tags at all"), "no tags at all");
    EXPECT_EQ(BodyText::FromHtml(BodyText::ToHtml("round\r\ntrip")), "round\r\ntrip");
}

TEST(ViewDefinitionTest, CalendarViewsKeepTheirModeInTheXml) {
    const std::vector<ViewInfo> calendar = ViewDefinition::Defaults(ol::olAppointmentItem);
    ASSERT_FALSE(calendar.empty());
    EXPECT_EQ(calendar.front().viewType, ol::olCalendarView);
    // Reading and changing the mode of a default view, and refusing broken XML: WindowTest.
    EXPECT_EQ(ViewDefinition::CalendarMode(ViewDefinition::WithCalendarMode("<view/>", 2)), 2) << "mode added";
    // Text runs split by a comment: the new mode replaces all of them.
    EXPECT_EQ(ViewDefinition::CalendarMode(ViewDefinition::WithCalendarMode("<view><mode>4<!-- week -->2</mode></view>",
                                                                            ol::olCalendarViewDay)),
              ol::olCalendarViewDay);
    for (std::int32_t type : {ol::olMailItem, ol::olContactItem, ol::olTaskItem}) {
        for (const ViewInfo& view : ViewDefinition::Defaults(type)) {
            EXPECT_NO_THROW(ViewDefinition::Validate(view.xml)) << view.name;
            EXPECT_NE(view.viewType, ol::olCalendarView);
        }
    }
    EXPECT_THROW(ViewDefinition::Validate("<notaview/>"), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
