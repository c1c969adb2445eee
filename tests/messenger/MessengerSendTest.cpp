#include <gtest/gtest.h>

#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "standins/kelo/client/Application.h"
#include "standins/outlook/Profile.h"
#include "tests/messenger/MessengerFixture.h"

namespace ostrellix::addin::messengertest {
namespace {

class MessengerSendTest : public MessengerTest {
protected:
    MessengerSendTest() {
        ulla = AddPerson("Berg", "ulla.berg@example.org");
        per = AddPerson("Lund", "per.lund@example.org");
        sara = AddPerson("Ek", "sara.ek@example.org");
    }

    Ptr<kelo::IPool> Send(bool dryRun = false) { return messenger->IMessenger_Send(nullptr, dryRun); }
    std::size_t DraftCount() { return Mails(outlook::olFolderDrafts).size(); }

    Ptr<kelo::IRecord> ulla, per, sara;
    const std::size_t sentBefore = Mails(outlook::olFolderSentMail).size();
};

TEST_F(MessengerSendTest, EachRecordIsMergedIntoSubjectAndBodyByTheBodysFormat) {
    const struct {
        const char* name;
        std::int32_t format;
        std::string subject, body, expectedSubject, expectedBody;
    } cases[] = {
        {"plain", outlook::olFormatPlain, "Offer for <lastname>", "Dear <lastname>,", "Offer for Berg", "Dear Berg,"},
        {"html", outlook::olFormatHTML, "Offer for <lastname>", "<p>Dear &lt;lastname&gt;,</p>", "Offer for Berg",
         "Dear Berg,"},
        {"rich text", outlook::olFormatRichText, "Offer for <lastname>", "{\\rtf1 Dear <lastname>,\\par}",
         "Offer for Berg", "Dear Berg,"},
        {"empty subject", outlook::olFormatPlain, "", "Dear <lastname>,", "", "Dear Berg,"},
    };
    for (const auto& each : cases) {
        SCOPED_TRACE(each.name);
        const auto before = Mails(outlook::olFolderSentMail).size();
        Set("Message", Variant(Draft(each.subject, each.body, each.format)));
        messenger->IMessenger_OpenRecipients(Pool({ulla}));
        EXPECT_EQ(Send()->Count(), 0);
        const auto sent = Mails(outlook::olFolderSentMail);
        ASSERT_EQ(sent.size(), before + 1);
        EXPECT_EQ(sent.back()->Subject(), each.expectedSubject);
        EXPECT_NE(sent.back()->Body().find(each.expectedBody), std::string::npos) << sent.back()->Body();
        EXPECT_EQ(sent.back()->To(), "ulla.berg@example.org");
        EXPECT_EQ(sent.back()->BodyFormat(), each.format);
    }
}

// SaveOnlyFirstMail is on for a new mailing.
TEST_F(MessengerSendTest, OnlyTheFirstMailIsKeptInSentItemsAndNoneStaysInDrafts) {
    const auto draftsBefore = DraftCount();
    Set("Message", Variant(Draft("News for <lastname>", "Hello.")));
    messenger->IMessenger_OpenRecipients(Pool({ulla, per, sara}));
    EXPECT_EQ(Send()->Count(), 0);
    const auto sent = Mails(outlook::olFolderSentMail);
    ASSERT_EQ(sent.size(), sentBefore + 1);
    EXPECT_EQ(sent.back()->Subject(), "News for Berg");
    EXPECT_EQ(DraftCount(), draftsBefore) << "the draft is used up, and no mail stays behind";
}

TEST_F(MessengerSendTest, ADryRunSendsNothingAndLeavesNothingBehind) {
    for (const bool oneByOne : {true, false}) {
        SCOPED_TRACE(oneByOne ? "one by one" : "one mail");
        Set("SendOneByOne", Variant(oneByOne));
        const auto draftsBefore = DraftCount();
        const std::string draft = Draft("News", "Hello.");
        Set("Message", Variant(draft));
        messenger->IMessenger_OpenRecipients(Pool({ulla, per, sara}));
        EXPECT_EQ(Ids(Send(true)), (std::vector{ulla->ID(), per->ID(), sara->ID()}));
        EXPECT_EQ(Mails(outlook::olFolderSentMail).size(), sentBefore);
        EXPECT_EQ(DraftCount(), draftsBefore) << "the prepared mails and the draft itself are deleted";
        EXPECT_EQ(Globals::Outlook()->Session()->GetItemFromID(draft), nullptr);
    }
}

TEST_F(MessengerSendTest, ARecipientWhoseMailFailsStaysInThePoolAndTheOthersAreSent) {
    world.Machine().OutlookProfile().Mailer().Refuse("per.lund@example.org");
    Set("SaveOnlyFirstMail", Variant(false));
    const auto draftsBefore = DraftCount();
    Set("Message", Variant(Draft("News for <lastname>", "Hello.")));
    messenger->IMessenger_OpenRecipients(Pool({ulla, per, sara}));
    EXPECT_EQ(Ids(Send()), std::vector{per->ID()});
    const auto sent = Mails(outlook::olFolderSentMail);
    ASSERT_EQ(sent.size(), sentBefore + 2);
    EXPECT_EQ(sent[sentBefore]->To(), "ulla.berg@example.org");
    EXPECT_EQ(sent[sentBefore + 1]->To(), "sara.ek@example.org");
    EXPECT_EQ(DraftCount(), draftsBefore) << "the failed mail is deleted from Drafts";
}

TEST_F(MessengerSendTest, OneMailGoesToEveryDistinctAddressAsBlindCopiesWithoutMerging) {
    const auto loud = AddPerson("Berg", "ULLA.BERG@example.org");
    Set("SendOneByOne", Variant(false));
    Set("IgnoreDuplicates", Variant(false));
    Set("Message", Variant(Draft("News for <lastname>", "Dear <lastname>,")));
    messenger->IMessenger_OpenRecipients(Pool({ulla, loud, per}));
    EXPECT_EQ(Send()->Count(), 0);
    const auto sent = Mails(outlook::olFolderSentMail);
    ASSERT_EQ(sent.size(), sentBefore + 1);
    EXPECT_EQ(sent.back()->Subject(), "News for <lastname>");
    EXPECT_EQ(sent.back()->BCC(), "ulla.berg@example.org; per.lund@example.org");
    EXPECT_EQ(sent.back()->To(), "");
}

TEST_F(MessengerSendTest, AFailedMailToAllKeepsEveryRecipient) {
    world.Machine().OutlookProfile().Mailer().Refuse("sara.ek@example.org");
    Set("SendOneByOne", Variant(false));
    const auto draftsBefore = DraftCount();
    Set("Message", Variant(Draft("News", "Hello.")));
    messenger->IMessenger_OpenRecipients(Pool({ulla, per, sara}));
    EXPECT_EQ(Ids(Send()), (std::vector{ulla->ID(), per->ID(), sara->ID()}));
    EXPECT_EQ(Mails(outlook::olFolderSentMail).size(), sentBefore);
    EXPECT_EQ(DraftCount(), draftsBefore);
}

}  // namespace
}  // namespace ostrellix::addin::messengertest
