#include <gtest/gtest.h>

#include <string>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IRecipients.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/MenuCommands.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using testing::AddinWorld;

constexpr const char* kLine = "<div style=\"font-family:times new roman,verdana;font-size:12pt\">";

// Mails of links to records, built in Outlook and shown to the user.
class LinkMailTest : public ::testing::Test {
protected:
    AddinWorld world{{.outlookRunning = true}};
    Ptr<Addin> loaded = world.TheAddin();
    Addin& addin = *loaded;

    Ptr<outlook::IMailItem> Shown() {
        const auto inspector = world.Outlook()->ActiveInspector();
        return inspector ? Cast<outlook::IMailItem>(inspector->CurrentItem()) : nullptr;
    }
    Ptr<kelo::IRecord> Company(std::int32_t id) { return world.User().OpenRecord("company", id)->Record(); }
    std::string Link(std::int32_t id, std::int32_t kind) { return world.Kelo().Link(Company(id), kind); }
    std::string Shortened(std::int32_t id) { return Addin::TruncateDescription(Company(id)->Descriptive(), 63); }
};

TEST_F(LinkMailTest, BothLinksOfOneRecordUnderItsDescription) {
    addin.IMailer_SendURLEx(Variant(world.User().OpenRecord("company", 1)), "", Variant("  anna@x.example "), nullptr,
                            0, kelo::linkkind::Both);
    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->HTMLBody(), std::string(kLine) + Shortened(1) + ": <A HREF='" + Link(1, 1) + "'>Desktop link</A>, " +
                                    "<A HREF='" + Link(1, 2) + "'>Web link</A><BR/></div>");
    EXPECT_EQ(mail->Subject(), "Link to Company: " + Shortened(1));
    EXPECT_EQ(mail->To(), "anna@x.example");
    EXPECT_EQ(mail->CC(), "");
}

TEST_F(LinkMailTest, SeveralRecordsInSelectionOrderWithTheLinkAsTheirDescription) {
    const auto list = world.User().OpenList("company");
    world.User().Select(list, {2, 1});
    const VariantArray recipients{Variant("a@x.example"), Variant(""), Variant("b@x.example")};
    addin.IMailer_SendURLEx(Variant(list->Selection()), "", Variant(recipients), nullptr, 0, kelo::linkkind::Web);
    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->HTMLBody(), std::string(kLine) + "<A HREF='" + Link(2, 2) + "'>" + Shortened(2) + "</A><BR/></div>" +
                                    kLine + "<A HREF='" + Link(1, 2) + "'>" + Shortened(1) + "</A><BR/></div>");
    EXPECT_EQ(mail->Subject(), "Links to 2 Companies");
    EXPECT_EQ(mail->To(), "a@x.example; b@x.example");
}

TEST_F(LinkMailTest, DescriptionsAreCutTo63CharactersAndAGivenSubjectStands) {
    const auto record = Company(1);
    record->SetValue("name", std::string(70, 'n'));
    record->Update();
    addin.IMailer_SendURLEx(Variant(record), "Have a look", Variant(), nullptr, 0, kelo::linkkind::Desktop);
    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_NE(mail->HTMLBody().find(">" + std::string(60, 'n') + "...</A>"), std::string::npos);
    EXPECT_EQ(mail->Subject(), "Have a look");
}

TEST_F(LinkMailTest, RecipientObjectsAreSortedByTheirType) {
    const auto draft = Cast<outlook::IMailItem>(world.Outlook()->CreateItem(outlook::olMailItem));
    const auto add = [&](const char* address, std::int32_t type) {
        const auto recipient = draft->Recipients()->Add(address);
        recipient->SetType(type);
        recipient->Resolve();
    };
    add("bcc@ext.example", outlook::olBCC);
    add("to1@ext.example", outlook::olTo);
    add("cc@ext.example", outlook::olCC);
    add("to2@ext.example", outlook::olTo);
    const auto records = Cast<kelo::IRecords>(world.Kelo().CreateObject("QVR.Records"));
    records->Add(Company(1));
    addin.IMailer_SendURLEx(Variant(records), "", Variant(draft->Recipients()), nullptr, 0, kelo::linkkind::Desktop);
    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->To(), "to1@ext.example; to2@ext.example");
    EXPECT_EQ(mail->CC(), "cc@ext.example");
    EXPECT_EQ(mail->BCC(), "bcc@ext.example");
}

TEST_F(LinkMailTest, AListWindowIsNoneOfTheRecordSourcesTheMailTakes) {
    const auto list = world.User().OpenList("company");
    const auto error = testing::Raised(
        [&] { addin.IMailer_SendURLEx(Variant(ObjectPtr(list)), "", Variant(), nullptr, 0, kelo::linkkind::Desktop); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), 9999);
    EXPECT_EQ(error->Description(), Tools::GetText("InternalError"));
    EXPECT_FALSE(Shown());

    // The client's menu hands the add-in the list window's selection instead.
    world.User().Select(list, {1});
    standin::kelo::MenuCommands(world.Client()).SendLinks(list, kelo::linkkind::Desktop);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Shown()->Subject(), "Link to Company: " + Shortened(1));
}

}  // namespace
}  // namespace ostrellix::addin
