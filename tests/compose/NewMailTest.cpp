#include <gtest/gtest.h>

#include <functional>

#include "contracts/kelo/IMailer.h"
#include "contracts/mapi/IAddressEntry.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/File.h"
#include "standins/kelo/client/HostEvents.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/kelo/client/ObjectList.h"
#include "standins/kelo/client/Recipient.h"
#include "tests/compose/ComposeFixture.h"

namespace ostrellix::addin::composetest {
namespace {

using standin::kelo::File;
using standin::kelo::Files;
using standin::kelo::Recipient;
using standin::kelo::Recipients;

constexpr const char* kMaria = "maria.sjoberg@nordvik.se";

using NewMailTest = ComposeTest;

TEST_F(NewMailTest, ABuilderStartsFromTheActiveWindowAndTheMailboxToSendFor) {
    const auto list = world.User().OpenList("company");
    EXPECT_TRUE(SameObject(Builder()->Context().ToObject(), list));
    const auto window = world.User().OpenRecord("person", 1);
    EXPECT_TRUE(SameObject(Builder()->Context().ToObject(), window));

    Globals::Options()->SetSendOnBehalfOf("Erik Holm");
    const auto entry = Builder()->SentOnBehalfOf().ToObjectAs<mapi::IAddressEntry>();
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Name(), "Erik Holm");
    Globals::Options()->SetSendOnBehalfOf("Nobody we know");
    EXPECT_TRUE(Builder()->SentOnBehalfOf().IsEmpty());

    const auto mail = Builder();
    // What the client may hand over without meaning a change.
    mail->SetRecipients(Variant(kMaria));
    mail->SetRecipients(Variant(ObjectPtr()));
    EXPECT_EQ(mail->Recipients().ToString(), kMaria);
    for (const Variant& nothing : {Variant(), Variant::Null(), Variant(ObjectPtr())}) mail->SetContext(nothing);
    EXPECT_TRUE(SameObject(mail->Context().ToObject(), window));
    mail->SetSubject(Variant(""));
    EXPECT_TRUE(mail->Subject().IsEmpty());
}

TEST_F(NewMailTest, TheContextsClassDecidesHowTheSentMailIsFiled) {
    const auto settings = world.Kelo().Database()->Settings()->Child("Ostrellix");
    const struct {
        const char* what;
        std::int16_t general, forPersons;
        std::function<Variant()> context;
        bool ask, dontSave;
    } cases[] = {
        {"a person's window, its class's own mode", 1, 0, [&] { return Variant(world.User().OpenRecord("person", 1)); },
         false, true},
        {"a company list, the general mode", 1, 0, [&] { return Variant(world.User().OpenList("company")); }, true,
         false},
        {"a record, its class's mode", 0, 2, [&] { return Variant(world.User().OpenRecord("person", 2)->Record()); },
         false, false},
        {"a text has no class: the general mode", 2, 0, [] { return Variant("Maria"); }, false, false},
        {"an unknown mode changes nothing", 7, 7, [] { return Variant("Maria"); }, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Globals::Options()->SetSaveOutgoingMailMode(c.general);
        settings->SetValue("PerClass\\person\\SaveOutgoingMailMode", Variant(c.forPersons));
        const auto mail = Builder();
        mail->SetAskBeforeSave(true);
        mail->SetDontSave(true);
        mail->SetContext(c.context());
        EXPECT_EQ(mail->AskBeforeSave(), c.ask);
        EXPECT_EQ(mail->DontSave(), c.dontSave);
    }
}

TEST_F(NewMailTest, RecipientsSubjectAndAttachmentsLandOnTheShownMail) {
    const std::string offer = WriteFile("offer.pdf", "%PDF");
    const std::string terms = WriteFile("terms.txt", "terms");
    const struct {
        const char* what;
        Variant attachments;
        std::vector<std::string> shownAs;
    } cases[] = {
        {"one path", Variant(offer), {"offer.pdf"}},
        {"paths, each shown as its path", Variant(VariantArray{Variant(offer), Variant(terms)}), {offer, terms}},
        {"the client's files, by their display values",
         Variant(std::make_shared<Files>(std::vector<Ptr<kelo::IFile>>{std::make_shared<File>(offer, "Our offer")})),
         {"Our offer"}},
        {"nothing", Variant(ObjectPtr()), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto mail = Builder();
        mail->SetRecipients(Variant(std::make_shared<Recipients>(std::vector<Ptr<kelo::IRecipient>>{
            std::make_shared<Recipient>(1, kMaria), std::make_shared<Recipient>(2, "lena@tallbacka.com"),
            std::make_shared<Recipient>(3, " sofie.dahl@example.org ")})));
        mail->SetSubject(Variant("Offer"));
        mail->SetAttachments(c.attachments);
        mail->Display();
        const auto shown = Shown();
        ASSERT_TRUE(shown);
        EXPECT_EQ(shown->Subject(), "Offer");
        EXPECT_EQ(shown->To(), kMaria);
        EXPECT_EQ(shown->CC(), "lena@tallbacka.com");
        EXPECT_EQ(shown->BCC(), "sofie.dahl@example.org");
        std::vector<std::string> shownAs;
        for (std::int32_t i = 1; i <= shown->Attachments()->Count(); ++i) {
            shownAs.push_back(shown->Attachments()->Item(i)->DisplayName());
        }
        EXPECT_EQ(shownAs, c.shownAs);
        outlookUser.Close(world.Outlook()->ActiveInspector(), false);
    }
    EXPECT_EQ(Globals::EventListenerCount(), registered) << "a mail closed unsent leaves its listener";
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts) << "nor is it kept";
}

TEST_F(NewMailTest, TheFirstBodyThatHoldsTextIsTheOnlyOneWritten) {
    const std::string rtf = "{\\rtf1\\ansi Rich offer\\par}";
    const struct {
        const char* what;
        Variant body, html, rtf;
        std::string shownBody;
        bool rich;
    } cases[] = {
        {"plain first", Variant("Plain offer"), Variant("<b>Bold offer</b>"), Variant(rtf), "Plain offer", false},
        {"an empty plain body writes none", Variant(""), Variant("<b>Bold offer</b>"), Variant(rtf), "", false},
        {"then HTML", Variant(), Variant("<b>Bold offer</b>"), Variant(rtf), "Bold offer", false},
        {"then RTF, through the MAPI library", Variant(), Variant(), Variant(rtf), "Rich offer", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto mail = Builder();
        mail->SetBody(c.body);
        mail->SetHtmlBody(c.html);
        mail->SetRtfBody(c.rtf);
        mail->Display();
        const auto shown = Shown();
        ASSERT_TRUE(shown);
        std::string body = shown->Body();
        while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) body.pop_back();
        EXPECT_EQ(body, c.shownBody);
        if (c.rich) {
            EXPECT_EQ(Globals::Redemption()->GetMessageFromID(shown->EntryID())->RtfBody(), rtf);
        }
        outlookUser.Close(world.Outlook()->ActiveInspector(), false);
    }
}

TEST_F(NewMailTest, ATemplateOrTheBusinessCardStartsTheMail) {
    const auto draft = Cast<outlook::IMailItem>(world.Outlook()->CreateItem(outlook::olMailItem));
    draft->SetSubject("Price list 2024");
    draft->SetBody("Our prices.");
    draft->SetTo("lena@tallbacka.com");
    const std::string path = SaveAsMsg(draft, "prices.msg");

    const auto fromTemplate = Builder();
    fromTemplate->SetTemplate(Variant(path));
    fromTemplate->SetSubject(Variant(""));
    fromTemplate->SetRecipients(Variant(kMaria));
    fromTemplate->Display();
    auto shown = Shown();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Subject(), "Price list 2024");
    EXPECT_EQ(text::Trim(shown->Body()), "Our prices.");
    EXPECT_EQ(shown->To(), kMaria) << "the recipients replace the template's";
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts + 1) << "the template's copy is the mail being written";
    outlookUser.Close(world.Outlook()->ActiveInspector(), false);
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);

    Globals::Options()->SetAttachBusinessCard(true);
    const auto withCard = Builder();
    withCard->SetTemplate(Variant((world.Folder() / "gone.msg").string()));
    withCard->Display();
    shown = Shown();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Subject(), "");
    ASSERT_EQ(shown->Attachments()->Count(), 1);
    EXPECT_NE(shown->Attachments()->Item(1)->FileName().find(".vcf"), std::string::npos);
}

TEST_F(NewMailTest, TheSenderNeverReceivesACopy) {
    const auto mail = Builder();
    mail->SetSentOnBehalfOf(Variant("sales@demo.example"));
    mail->SetRecipients(Variant(VariantArray{Variant("sales@demo.example"), Variant(kMaria),
                                             Variant("Sales@demo.example"), Variant("sales@demo.example")}));
    mail->Display();
    const auto shown = Shown();
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->SentOnBehalfOfName(), "sales@demo.example");
    EXPECT_EQ(Addresses(shown), (std::vector<std::string>{kMaria, "Sales@demo.example"}));
    ASSERT_TRUE(shown->UserProperties()->Find("GUID"));
    EXPECT_FALSE(shown->UserProperties()->Find("GUID")->Value().ToString().empty());
}

TEST_F(NewMailTest, AMailSentWithoutBeingShownIsNeverFiled) {
    const auto send = Builder();
    send->SetRecipients(Variant(kMaria));
    send->Send();
    EXPECT_EQ(Globals::EventListenerCount(), registered) << "Send hands the mail to no listener";

    // The listener follows Outlook's item, which the MAPI library's sending never touches.
    const auto display = Builder();
    display->SetFlags(0);
    display->SetRecipients(Variant(kMaria));
    display->Display();
    EXPECT_FALSE(world.Outlook()->ActiveInspector());
    world.User().AdvanceTime(1000);
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 2);
    EXPECT_EQ(Documents(), documents);
    EXPECT_EQ(Globals::EventListenerCount(), registered + 1) << "its listener waits on";
}

TEST_F(NewMailTest, AScriptThatClaimsTheMailStopsEveryVerb) {
    world.Kelo().ScriptEvents().Claim("NewOutgoingMail");
    const auto draft = Cast<outlook::IMailItem>(world.Outlook()->CreateItem(outlook::olMailItem));
    const std::string path = SaveAsMsg(draft, "draft.msg");
    for (const auto& verb : std::vector<std::function<void(NewMail&)>>{
             [](NewMail& m) { m.Display(); }, [](NewMail& m) { m.Send(); }, [](NewMail& m) { m.Reply(); },
             [](NewMail& m) { m.ReplyAll(); }, [](NewMail& m) { m.Forward(); }}) {
        const auto mail = Builder();
        mail->SetTemplate(Variant(path));
        mail->SetRecipients(Variant(kMaria));
        verb(*mail);
    }
    EXPECT_FALSE(world.Outlook()->ActiveInspector());
    EXPECT_EQ(Count(outlook::olFolderDrafts), drafts);
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems);
}

TEST_F(NewMailTest, TheClientsMenuAndMailChannelComposeThroughTheBuilder) {
    standin::kelo::MenuCommands menu(world.Client());
    menu.NewMail(world.User().OpenRecord("person", 1));
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Shown()->To(), kMaria);
    outlookUser.Close(world.Outlook()->ActiveInspector(), false);

    const auto mailer = Cast<kelo::IMailer>(world.TheAddin());
    mailer->IMailer_Send(Variant(VariantArray{Variant(kMaria)}), "Hello", "Plain words", nullptr, 0, nullptr);
    EXPECT_FALSE(world.Outlook()->ActiveInspector()) << "flags without the display bit send at once";
    EXPECT_EQ(Count(outlook::olFolderSentMail), sentItems + 1);
}

}  // namespace
}  // namespace ostrellix::addin::composetest
