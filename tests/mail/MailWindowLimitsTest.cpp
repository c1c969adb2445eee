#include <gtest/gtest.h>

#include "contracts/outlook/Constants.h"
#include "core/Tools.h"
#include "tests/mail/MailWindowFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

using ostrellix::testing::AddinWorld;

// The mail-window buttons on a platform that lacks what they work with:
// a Kelo database without a document class, an Outlook without the Kelo
// address list, a Kelo session without an active user.
class MailWindowLimitsTest : public MailWindowTest {
protected:
    explicit MailWindowLimitsTest(AddinWorld::Options options = {}) : MailWindowTest(options) {}

    // The one message box shown, as the error report shows it.
    std::string OnlyBox() {
        const auto& boxes = world.Kelo().Boxes().History();
        EXPECT_EQ(boxes.size(), 1u);
        return boxes.empty() ? std::string() : boxes.back().text;
    }
    static std::string Report(std::string_view key, std::string_view location) {
        return Tools::GetText(key) + "\r\n\r\nSource: " + std::string(location) + "\r\nErrorcode: 9999";
    }
};

class WithoutDocumentClassTest : public MailWindowLimitsTest {
protected:
    WithoutDocumentClassTest() : MailWindowLimitsTest({.documentClass = false}) {}
};

TEST_F(WithoutDocumentClassTest, SavingAttachmentsSaysThereIsNoDocumentClass) {
    ASSERT_FALSE(Class("document"));
    const auto window = outlookUser.Open(ReceiveFromMaria({{"offer.pdf", "%PDF-1"}}));
    EXPECT_EQ(Tags(window), (std::vector<std::string>{"SaveMailToKelo", "SaveAttachmentsToKelo"}));
    outlookUser.Click(window, "SaveAttachmentsToKelo");
    EXPECT_TRUE(Opened().empty());
    // Raised inside the work dialog, so reported by its handler, not by the click.
    EXPECT_EQ(OnlyBox(), Report("NoDocumentClass", "MailListener.m_WorkDialog_Work"));
    EXPECT_TRUE(world.KeloLog().empty());
}

// Without a document class the import makes no record, and showing "no
// record" is what fails: the user reads the client's "Object variable not
// set", not "NoDocumentClass".
TEST_F(WithoutDocumentClassTest, SavingTheMailFailsWhereTheRecordWouldBeShown) {
    const auto window = outlookUser.Open(ReceiveFromMaria());
    outlookUser.Click(window, "SaveMailToKelo");
    EXPECT_TRUE(Opened().empty());
    const std::string box = OnlyBox();
    EXPECT_NE(box.find("Source: MailListener.m_WorkDialog_Work\r\nErrorcode: 91"), std::string::npos) << box;
    // Not the add-in's own error, so it is also logged, after the attempt to make the record.
    const auto log = world.KeloLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1], "4|Synchronizer.CreateMailRecord||Creating a document record.");
    EXPECT_TRUE(log[2].starts_with("2|") && log[2].find("|5B|") != std::string::npos) << log[2];
}

class WithoutKeloAddressListTest : public MailWindowLimitsTest {
protected:
    WithoutKeloAddressListTest() : MailWindowLimitsTest({.keloAddressList = false}) {}
};

TEST_F(WithoutKeloAddressListTest, FindingAnAddressSaysTheListIsMissing) {
    const auto window = Compose("", "Offer");
    outlookUser.WillChooseNames({{"Erik Holm", outlook::olTo}});
    outlookUser.Click(window, "FindKeloAddressButton");
    EXPECT_EQ(OnlyBox(), Report("KeloAddressBookMissing", "MailListener.m_FindAddressButton_Click"));
    EXPECT_EQ(As<outlook::IMailItem>(window->CurrentItem())->Recipients()->Count(), 0);
}

class WithoutActiveUserTest : public MailWindowLimitsTest {
protected:
    WithoutActiveUserTest() { world.Kelo().SignOut(); }
};

// Filing goes on without a user: the records leave the coworker empty.
TEST_F(WithoutActiveUserTest, FilingLeavesTheCoworkerEmpty) {
    ASSERT_FALSE(world.Kelo().ActiveUser());
    for (const char* tag : {"SaveMailToKelo", "SaveAttachmentsToKelo"}) {
        const auto window = outlookUser.Open(ReceiveFromMaria({{"offer.pdf", "%PDF-1"}}));
        outlookUser.Click(window, tag);
        outlookUser.Close(window, false);
        const auto opened = Opened();
        ASSERT_EQ(opened.size(), 1u) << tag;
        EXPECT_EQ(opened[0]->Record()->Text("person"), "Maria Sjöberg") << tag;
        EXPECT_EQ(opened[0]->Record()->Text("coworker"), "") << tag;
        world.User().Close(opened[0]);
    }
    EXPECT_TRUE(world.Kelo().Boxes().History().empty());
}

TEST_F(WithoutActiveUserTest, TheBusinessCardNeedsTheUser) {
    const auto window = Compose("maria.sjoberg@nordvik.se", "Offer");
    outlookUser.Click(window, "AttachBusinessCard");
    EXPECT_EQ(window->CurrentItem()->Attachments()->Count(), 0);
    EXPECT_EQ(OnlyBox(), Report("NoActiveUser", "MailListener.m_WorkDialog_Work"));
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
