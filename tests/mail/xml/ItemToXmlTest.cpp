#include "mail/ItemToXML.h"

#include <gtest/gtest.h>

#include <fstream>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "contracts/mapi/Constants.h"
#include "contracts/mapi/IFolder.h"
#include "contracts/mapi/IMessages.h"
#include "contracts/mapi/ISafeMailItem.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "mail/XmlDataTypes.h"
#include "runtime/Base64.h"
#include "runtime/ComError.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/SourceTree.h"

namespace ostrellix::addin {
namespace {

using ostrellix::testing::AddinWorld;

// The properties every object is asked for, in their order, with the tag
// as it must appear in the schema name.
const std::vector<std::pair<std::string, std::string>> kTable = {
    {"PR_MESSAGE_CLASS", "001A001F"}, {"PR_DISPLAY_NAME", "3001001F"}, {"PR_SUBJECT", "0037001F"},
    {"PR_TITLE", "3A17001E"}, {"PR_NICKNAME", "3A4F001E"}, {"PR_SENDER_NAME", "0C1A001F"},
    {"PR_SENDER_ADDRTYPE", "0C1E001F"}, {"PR_SENDER_EMAIL_ADDRESS", "0C1F001F"}, {"PR_EMAIL", "39FE001E"},
    {"PR_EMAIL_ADDRESS", "3003001F"}, {"PR_EMAIL1_ADDRESS", "805A001F"}, {"PR_EMAIL2_ADDRESS", "805B001F"},
    {"PR_BODY", "1000001F"}, {"PR_BODY_HTML", "1013001F"}, {"PR_COMPANY_NAME", "3A16001E"},
    {"PR_BUSINESS_ADDRESS", "3A15001E"}, {"PR_HOME_ADDRESS", "3A5D001E"},
    {"PR_BUSINESS_TELEPHONE_NUMBER", "3A08001E"}, {"PR_MOBILE_TELEPHONE_NUMBER", "3A1C001E"},
    {"PR_HOME_TELEPHONE_NUMBER", "3A09001E"}, {"PR_PERSONAL_HOME_PAGE", "3A50001E"},
    {"PR_BUSINESS_HOME_PAGE", "3A51001E"}, {"PR_DELIVER_TIME", "00100040"}, {"PR_RECEIPT_TIME", "002A0040"},
    {"PR_DEFERRED_DELIVERY_TIME", "000F0040"}, {"PR_ORIGINAL_DELIVERY_TIME", "00550040"},
    {"PR_LAST_MODIFICATION_TIME", "30080040"}, {"PR_MESSAGE_DELIVERY_TIME", "0E060040"}, {"PR_ADDRTYPE", "3002001F"},
    {"PR_ORIGINAL_DISPLAY_BCC", "0072001F"}, {"PR_ORIGINAL_DISPLAY_CC", "0073001F"}, {"PR_DISPLAY_BCC", "0E02001F"},
    {"PR_DISPLAY_CC", "0E03001F"}, {"PR_DISPLAY_TO", "0E04001F"}, {"PR_RECIPIENT_TYPE", "0C150003"},
    {"PR_ATTACH_FILENAME", "3707001F"}, {"PR_ATTACH_EXTENSION", "3703001F"}, {"PR_ATTACH_PATHNAME", "3708001F"},
};

std::string SchemaName(const std::string& hex) { return "http://schemas.microsoft.com/mapi/proptag/0x" + hex; }

// The stand-ins cannot make one object's property reads fail while the
// message's succeed, so the sender the safe mail item hands out is faked:
// an entry without an entry ID whose reads answer from `values` (by schema
// name) and fail once `readable` reads have been answered.
class DirectorySender final : public mapi::IAddressEntry, public outlook::IPropertyAccessor {
public:
    std::map<std::string, Variant> values;
    std::size_t readable = std::numeric_limits<std::size_t>::max();
    std::vector<std::string> asked;

    Variant GetProperty(std::string_view schemaName) override {
        asked.emplace_back(schemaName);
        if (asked.size() > readable) {
            throw ComError(-2147221219 /* 0x8004011D */, "DirectorySender", "The directory is unreachable.");
        }
        const auto found = values.find(std::string(schemaName));
        return found == values.end() ? Variant() : found->second;
    }
    void SetProperty(std::string_view, const Variant&) override { ADD_FAILURE() << "the extraction wrote a property"; }
    Ptr<outlook::IPropertyAccessor> PropertyAccessor() override { return SelfAs<outlook::IPropertyAccessor>(); }
    Variant Fields(std::uint32_t) override { return {}; }
    void SetFields(std::uint32_t, const Variant&) override {}
    std::string EntryID() override { return {}; }
    std::string Name() override { return "Directory Sender"; }
    std::string Address() override { return "/o=Demo/cn=directory.sender"; }
    std::string Type() override { return "EX"; }
    std::string SMTPAddress() override { return {}; }
};

class FakeSafeMailItem final : public mapi::ISafeMailItem {
public:
    explicit FakeSafeMailItem(Ptr<DirectorySender> sender) : sender_(std::move(sender)) {}
    ObjectPtr Item() override { return item; }
    void SetItem(const ObjectPtr& value) override { item = value; }
    Ptr<mapi::IAddressEntry> Sender() override { return sender_; }

    ObjectPtr item;

private:
    Ptr<DirectorySender> sender_;
};

std::vector<std::string> Names(pugi::xml_node node) {
    std::vector<std::string> names;
    for (pugi::xml_node child : node.children()) names.emplace_back(child.name());
    return names;
}

std::vector<std::string> Names(std::initializer_list<const char*> names) { return {names.begin(), names.end()}; }

class ItemToXmlTest : public ::testing::Test {
protected:
    // A new mail in Drafts, without sender, recipients or attachments.
    Ptr<mapi::IMessage> Draft(std::string_view subject) {
        const auto message = Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts)->Items()->Add("IPM.Note");
        message->SetSubject(subject);
        return message;
    }

    std::string WriteFile(const std::string& name, const Bytes& bytes) {
        const std::string path = (world.Folder() / name).string();
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                    static_cast<std::streamsize>(bytes.size()));
        return path;
    }

    // From now on the safe mail item gives this sender (for messages without one of their own).
    Ptr<FakeSafeMailItem> SenderFromDirectory(Ptr<DirectorySender> sender) {
        auto safe = std::make_shared<FakeSafeMailItem>(std::move(sender));
        world.Machine().Factory().Register("ZQOutRed.ZQSafeMailItem", [safe] { return safe; });
        return safe;
    }

    pugi::xml_node Extract(const ObjectPtr& item) {
        ItemToXML().ExtractXml(item, document);
        return document.child("IPM");
    }

    static std::string Text(const pugi::xml_document& xml) {
        std::ostringstream text;
        xml.save(text);
        return text.str();
    }

    AddinWorld world{AddinWorld::Options{.outlookRunning = true}};
    pugi::xml_document document;
};

TEST_F(ItemToXmlTest, AMessageWithoutRecipientsOrAttachmentsHoldsItsPropertiesThenItsSender) {
    const auto message = Draft("Spring order");
    message->SetBody("Hello.");
    message->SetSender(Globals::Redemption()->CurrentUser());
    message->Save();

    const pugi::xml_node ipm = Extract(message);
    EXPECT_EQ(Names(ipm), Names({"PR_MESSAGE_CLASS", "PR_SUBJECT", "PR_SENDER_NAME", "PR_SENDER_ADDRTYPE",
                                 "PR_SENDER_EMAIL_ADDRESS", "PR_BODY", "PR_LAST_MODIFICATION_TIME", "PR_DISPLAY_BCC",
                                 "PR_DISPLAY_CC", "PR_DISPLAY_TO", "Sender"}));
    EXPECT_STREQ(ipm.child("PR_SUBJECT").text().get(), "Spring order");
    EXPECT_STREQ(ipm.child("PR_SENDER_NAME").text().get(), "Anna Lindqvist");

    // A sender with an entry ID is the message itself: the same elements again.
    const pugi::xml_node sender = ipm.child("Sender");
    std::vector<std::string> own = Names(ipm);
    own.pop_back();
    EXPECT_EQ(Names(sender), own);
    for (pugi::xml_node element : sender.children()) {
        EXPECT_STREQ(element.text().get(), ipm.child(element.name()).text().get()) << element.name();
    }

    // Without a sender, neither on the message nor through the safe mail item, there is no Sender element.
    message->SetSender(nullptr);
    message->Save();
    EXPECT_EQ(Names(Extract(message)), Names({"PR_MESSAGE_CLASS", "PR_SUBJECT", "PR_BODY", "PR_LAST_MODIFICATION_TIME",
                                              "PR_DISPLAY_BCC", "PR_DISPLAY_CC", "PR_DISPLAY_TO"}));
}

TEST_F(ItemToXmlTest, EveryObjectIsAskedForTheWholeTableByEightDigitSchemaNames) {
    auto sender = std::make_shared<DirectorySender>();
    for (const auto& [name, hex] : kTable) sender->values[SchemaName(hex)] = Variant("value of " + hex);
    const auto safe = SenderFromDirectory(sender);
    const auto message = Draft("Directory sender");

    const pugi::xml_node element = Extract(message).child("Sender");
    EXPECT_TRUE(SameObject(safe->item, message)) << "the safe mail item wraps the message";

    std::vector<std::string> expectedNames, expectedAsked;
    for (const auto& [name, hex] : kTable) {
        expectedNames.push_back(name);
        expectedAsked.push_back(SchemaName(hex));
    }
    EXPECT_EQ(sender->asked, expectedAsked);
    // Each element holds the value of its own tag.
    EXPECT_EQ(Names(element), expectedNames);
    for (const auto& [name, hex] : kTable) EXPECT_EQ(element.child(name.c_str()).text().get(), "value of " + hex);
}

TEST_F(ItemToXmlTest, ASenderThatCannotBeReadEndsTheSenderElementAndNothingElse) {
    auto sender = std::make_shared<DirectorySender>();
    sender->values[SchemaName("3001001F")] = Variant("Directory Sender");
    sender->values[SchemaName("3003001F")] = Variant("/o=Demo/cn=directory.sender");
    sender->values[SchemaName("3002001F")] = Variant("EX");
    sender->readable = 10;  // up to PR_EMAIL_ADDRESS; PR_EMAIL1_ADDRESS fails
    SenderFromDirectory(sender);
    const auto message = Draft("Quarterly figures");
    message->Recipients()->Add("Erik Holm");
    message->Recipients()->Add("maria.sjoberg@nordvik.se");
    message->Recipients()->ResolveAll();
    message->Attachments()->Add(Variant(WriteFile("figures.csv", {'1', ';', '2'})));

    pugi::xml_node ipm;
    ASSERT_NO_THROW(ipm = Extract(message));
    EXPECT_EQ(Names(ipm.child("Sender")), Names({"PR_DISPLAY_NAME", "PR_EMAIL_ADDRESS"}));
    EXPECT_EQ(sender->asked.size(), 11u) << "nothing is read from the sender after the failure";
    EXPECT_STREQ(ipm.child("Sender").next_sibling().name(), "Recipient");
    std::vector<std::string> recipients;
    for (pugi::xml_node recipient : ipm.children("Recipient")) {
        recipients.emplace_back(recipient.child("PR_DISPLAY_NAME").text().get());
    }
    EXPECT_EQ(recipients, Names({"Erik Holm", "maria.sjoberg@nordvik.se"}));
    EXPECT_STREQ(ipm.child("Attachment").child("PR_ATTACH_FILENAME").text().get(), "figures.csv");
    EXPECT_STREQ(ipm.last_child().name(), "Attachment");
}

TEST_F(ItemToXmlTest, AMailInAMailInAMailNestsTwice) {
    const Bytes minutes{0x00, 0x01, 0xFE, 0xFF, 'm', 'i', 'n'};
    const auto innermost = Draft("Level 3");
    innermost->Recipients()->Add("Erik Holm");
    innermost->Recipients()->ResolveAll();
    innermost->Attachments()->Add(Variant(WriteFile("minutes.bin", minutes)));
    const auto middle = Draft("Level 2");
    middle->Attachments()->Add(Variant(innermost), outlook::olEmbeddeditem);
    const auto outer = Draft("Level 1");
    outer->Attachments()->Add(Variant(middle), outlook::olEmbeddeditem);
    outer->Attachments()->Add(Variant(WriteFile("agenda.txt", {'a', 'g'})));

    const pugi::xml_node ipm = Extract(outer);
    ASSERT_EQ(Names(ipm).back(), "Attachment");
    const pugi::xml_node first = ipm.child("Attachment");
    EXPECT_STREQ(first.next_sibling("Attachment").child("PR_ATTACH_FILENAME").text().get(), "agenda.txt");
    // The embedded message follows the attachment's own properties.
    EXPECT_STREQ(first.last_child().name(), "EmbeddedMsg");
    EXPECT_STREQ(first.child("PR_DISPLAY_NAME").text().get(), "Level 2");

    const pugi::xml_node level2 = first.child("EmbeddedMsg");
    EXPECT_STREQ(level2.child("PR_SUBJECT").text().get(), "Level 2");
    EXPECT_FALSE(level2.child("Recipient"));
    const pugi::xml_node level3 = level2.child("Attachment").child("EmbeddedMsg");
    EXPECT_STREQ(level3.child("PR_SUBJECT").text().get(), "Level 3");
    EXPECT_STREQ(level3.child("Recipient").child("PR_DISPLAY_NAME").text().get(), "Erik Holm");
    const pugi::xml_node file = level3.child("Attachment");
    EXPECT_STREQ(file.child("PR_ATTACH_FILENAME").text().get(), "minutes.bin");
    EXPECT_FALSE(file.child("EmbeddedMsg"));
    EXPECT_EQ(Base64Decode(file.child("PR_ATTACH_DATA_BIN").text().get()), minutes);
    EXPECT_EQ(document.select_nodes("//EmbeddedMsg").size(), 2u);
    // Only attachments have content; an embedded message's attachment has none of its own.
    EXPECT_EQ(document.select_nodes("//PR_ATTACH_DATA_BIN").size(), 2u);
    EXPECT_FALSE(first.child("PR_ATTACH_DATA_BIN"));
}

// The values reach the XML with their own types, not as text.
TEST_F(ItemToXmlTest, ValuesAreTypedInTheDataTypesNamespace) {
    const Bytes content{0x25, 0x50, 0x44, 0x46, 0x00, 0xC3};
    const auto message = Draft("Typed");
    message->SetFields(0x00100040, Variant(Date::FromParts(2024, 5, 2, 10, 0, 7)));
    message->Recipients()->Add("Erik Holm")->SetType(outlook::olCC);
    message->Recipients()->ResolveAll();
    message->Attachments()->Add(Variant(WriteFile("offer.pdf", content)));

    const pugi::xml_node ipm = Extract(message);
    const pugi::xml_node delivered = ipm.child("PR_DELIVER_TIME");
    EXPECT_EQ(XmlDataTypes::DataType(delivered), "datetime");
    EXPECT_STREQ(delivered.text().get(), "2024-05-02T10:00:07");
    const pugi::xml_node type = ipm.child("Recipient").child("PR_RECIPIENT_TYPE");
    EXPECT_EQ(XmlDataTypes::DataType(type), "int");
    EXPECT_STREQ(type.text().get(), "2");
    const pugi::xml_node data = ipm.child("Attachment").child("PR_ATTACH_DATA_BIN");
    EXPECT_EQ(XmlDataTypes::DataType(data), "bin.base64");
    EXPECT_EQ(Base64Decode(data.text().get()), content);
}

// npm package msgreader 1.0.1, data/test.msg (see tests/standins/message/data/SOURCES.md).
TEST_F(ItemToXmlTest, AMessageFileWrittenByOutlookComesOutWhole) {
    const auto sample = ostrellix::testing::SourceTree() / "tests/standins/message/data/freiraum-test.msg";
    const auto drafts = Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts);
    const auto message = drafts->Import(sample.string(), mapi::olMSG).at(0);
    const auto item = Globals::Outlook()->Session()->GetItemFromID(message->EntryID());

    const pugi::xml_node ipm = Extract(item);
    EXPECT_STREQ(ipm.child("PR_SUBJECT").text().get(), "asdf");
    EXPECT_STREQ(ipm.child("Sender").child("PR_SENDER_EMAIL_ADDRESS").text().get(), "christoph@freiraum.xyz");
    ASSERT_EQ(document.select_nodes("/IPM/Recipient").size(), 1u);
    const pugi::xml_node recipient = ipm.child("Recipient");
    EXPECT_STREQ(recipient.child("PR_EMAIL_ADDRESS").text().get(), "christoph@freiraum.xyz");
    EXPECT_STREQ(recipient.child("PR_RECIPIENT_TYPE").text().get(), "1");
    ASSERT_EQ(document.select_nodes("/IPM/Attachment").size(), 1u);
    const pugi::xml_node attachment = ipm.child("Attachment");
    EXPECT_STREQ(attachment.child("PR_ATTACH_FILENAME").text().get(),
                 "5AAoPFgV-nJ965R7o-98C38840-4454-4750-9AEF-F53DB3E37548.jpg");
    const Bytes jpeg = Base64Decode(attachment.child("PR_ATTACH_DATA_BIN").text().get());
    EXPECT_EQ(jpeg, message->Attachments()->Item(1)->AsArray());

    // The Outlook item is read as the library's message of the same entry.
    const std::string fromItem = Text(document);
    Extract(message);
    EXPECT_EQ(Text(document), fromItem);
}

}  // namespace
}  // namespace ostrellix::addin
