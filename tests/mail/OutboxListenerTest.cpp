#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "mail/OutboxListener.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/HostEvents.h"
#include "standins/kelo/client/MailerDocument.h"
#include "standins/kelo/client/Windows.h"
#include "tests/mail/MailWindowFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

constexpr std::int16_t kAsk = 1, kDontAsk = 2;

class OutboxListenerTest : public MailWindowTest {
protected:
    OutboxListenerTest() { Globals::Options()->SetSaveOutgoingMailFromOutlookMode(kDontAsk); }

    // Sends a mail composed in Outlook and lets the filing timer fire; the record windows it opened.
    std::size_t SendAndWait(std::string_view to) {
        outlookUser.PressSend(Compose(to, "Offer"));
        world.User().AdvanceTime(100);
        return Opened().size();
    }

    const std::int32_t registered = Globals::EventListenerCount();
    const std::int32_t sentItems = Count(outlook::olFolderSentMail);
};

TEST_F(OutboxListenerTest, TheSentMailIsFiledWhenTheTimerFiresAndItsCopyGoes) {
    outlookUser.PressSend(Compose("maria.sjoberg@nordvik.se", "Offer"));
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(Globals::EventListenerCount(), registered + 1);
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 2);  // Outlook's sent mail and the copy to file

    world.User().AdvanceTime(100);
    const auto opened = Opened();
    ASSERT_EQ(opened.size(), 1u);
    const auto record = opened[0]->Record();
    EXPECT_TRUE(record->State() & kelo::recordstate::New);
    EXPECT_EQ(record->Text("person"), "Maria Sjöberg");
    EXPECT_EQ(Globals::EventListenerCount(), registered);
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 1);

    world.User().AdvanceTime(1000);
    EXPECT_EQ(Opened().size(), 1u);
}

TEST_F(OutboxListenerTest, WhatDecidesWhetherASentMailIsFiled) {
    const struct {
        const char* what;
        std::int16_t mode;
        std::int16_t internal;
        std::string to;
        std::vector<std::int32_t> answers;
        std::size_t filed;
    } cases[] = {
        {"capture off", 0, -1, "maria.sjoberg@nordvik.se", {}, 0},
        {"asked, yes", kAsk, -1, "maria.sjoberg@nordvik.se", {6}, 1},
        {"asked, no", kAsk, -1, "maria.sjoberg@nordvik.se", {7}, 0},
        {"internal first, internal mail saved", kDontAsk, -1, "Erik Holm", {}, 1},
        {"internal first, internal mail not saved", kDontAsk, 0, "Erik Holm", {}, 0},
        {"external first, internal later", kDontAsk, 0, "maria.sjoberg@nordvik.se; Erik Holm", {}, 1},
    };
    for (const auto& c : cases) {
        Globals::Options()->SetSaveOutgoingMailFromOutlookMode(c.mode);
        Globals::Options()->SetSaveOutgoingInternalMail(c.internal);
        world.User().QueueAnswers({});
        for (const std::int32_t answer : c.answers) world.User().QueueAnswers({answer});
        before = world.Kelo().WindowList().Inspectors();
        EXPECT_EQ(SendAndWait(c.to), c.filed) << c.what;
        EXPECT_EQ(Globals::EventListenerCount(), registered) << c.what;
    }
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 6);
    EXPECT_TRUE(world.Logged("OutboxListener - SaveAsDocument - Ignored mail to internal recipient"));
}

// A record a client script takes is not shown, and the listener and the
// copy to file go all the same.
TEST_F(OutboxListenerTest, ARecordAHostHandlerTakesLeavesNoListenerAndNoCopy) {
    world.Kelo().ScriptEvents().Claim("NewMail");
    EXPECT_EQ(SendAndWait("maria.sjoberg@nordvik.se"), 0u);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 1);
}

TEST_F(OutboxListenerTest, ANameThatDoesNotResolveSendsNothingAndFilesNothing) {
    const auto window = Compose("Nobody Known", "Offer");
    EXPECT_THROW(outlookUser.PressSend(window), ComError);
    world.User().AdvanceTime(100);
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems);
    EXPECT_FALSE(world.Logged("OutboxListener - m_OutlookItem_Send"));
    outlookUser.Close(window, false);
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

TEST_F(OutboxListenerTest, TwoMailsInOneIntervalAreFiledEachByItsListener) {
    outlookUser.PressSend(Compose("maria.sjoberg@nordvik.se", "First"));
    outlookUser.PressSend(Compose("johan.ek@nordvik.se", "Second"));
    EXPECT_EQ(Globals::EventListenerCount(), registered + 2);
    world.User().AdvanceTime(100);
    std::vector<std::string> people;
    for (const auto& window : Opened()) people.push_back(window->Record()->Text("person"));
    EXPECT_EQ(people, (std::vector<std::string>{"Maria Sjöberg", "Johan Ek"}));
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

// Listeners made by the Kelo side (the mail composer) with their properties set.
class KeloMadeMailTest : public OutboxListenerTest {
protected:
    KeloMadeMailTest() { Globals::Options()->SetSaveOutgoingMailFromOutlookMode(0); }

    Ptr<outlook::IMailItem> Draft(std::string_view to) {
        const auto mail = As<outlook::IMailItem>(Globals::Outlook()->CreateItem(outlook::olMailItem));
        mail->SetTo(to);
        mail->SetSubject("Offer");
        mail->Save();
        return mail;
    }
    Ptr<OutboxListener> Follow(const Ptr<outlook::IMailItem>& mail) {
        const auto listener = std::make_shared<OutboxListener>();
        listener->SetItem(mail);
        return listener;
    }
};

TEST_F(KeloMadeMailTest, ANewMailClosedUnwrittenIsDeletedAndAWrittenOneStays) {
    for (const bool write : {false, true}) {
        const auto mail = Draft("maria.sjoberg@nordvik.se");
        const std::string id = mail->EntryID();
        Follow(mail)->SetNewMail(true);
        const auto window = outlookUser.Open(mail);
        if (write) outlookUser.Save(window);
        outlookUser.Close(window, false);
        EXPECT_EQ(Globals::Outlook()->Session()->GetItemFromID(id) != nullptr, write);
        EXPECT_EQ(Globals::EventListenerCount(), registered);
    }
}

TEST_F(KeloMadeMailTest, NotAlreadyOpenAndNotAskedTheRecordIsStoredAtOnce) {
    const auto mail = Draft("maria.sjoberg@nordvik.se");
    const auto listener = Follow(mail);
    listener->SetAlreadyOpen(false);
    const auto maria = Find("person", "lastname", Variant("Sjöberg"));
    listener->SetContext(Variant(maria));
    EXPECT_TRUE(SameObject(listener->Record(), maria));
    const auto documents = Documents();
    mail->Send();
    world.User().AdvanceTime(100);
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(Documents(), documents + 1);
}

TEST_F(KeloMadeMailTest, DontSaveSendsWithoutFiling) {
    const auto mail = Draft("maria.sjoberg@nordvik.se");
    Follow(mail)->SetDontSave(true);
    mail->Send();
    world.User().AdvanceTime(100);
    EXPECT_TRUE(Opened().empty());
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 1);
}

TEST_F(KeloMadeMailTest, AMailerDocumentLearnsOfTheSentMail) {
    const auto mail = Draft("maria.sjoberg@nordvik.se");
    const auto document = std::make_shared<standin::kelo::MailerDocument>();
    Follow(mail)->SetContext(Variant(document));
    const auto documents = Documents();
    mail->Send();
    world.User().AdvanceTime(100);
    ASSERT_EQ(document->Notifications().size(), 1u);
    const auto& notice = document->Notifications()[0];
    EXPECT_EQ(notice.to, "maria.sjoberg@nordvik.se");
    EXPECT_EQ(notice.subject, "Offer");
    EXPECT_EQ(notice.documentName, "Offer");
    EXPECT_FALSE(notice.documentData.empty());
    EXPECT_EQ(Documents(), documents);
    EXPECT_TRUE(Opened().empty());
}

TEST_F(KeloMadeMailTest, AComposedMailWithAMarkIsNotFollowedTwice) {
    Globals::Options()->SetSaveOutgoingMailFromOutlookMode(kDontAsk);
    const auto mail = Draft("maria.sjoberg@nordvik.se");
    Follow(mail);
    EXPECT_EQ(Globals::EventListenerCount(), registered + 1);
    outlookUser.Open(mail);
    EXPECT_EQ(Globals::EventListenerCount(), registered + 1);
    EXPECT_TRUE(world.Logged("SetupListenerForNewInspector - Skipped synced item (GUID= "));
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
