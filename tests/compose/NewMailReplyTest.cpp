#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "compose/NewMailReply.h"
#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/HostEvents.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/compose/ComposeFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::composetest {
namespace {

class NewMailReplyTest : public ComposeTest {
protected:
    NewMailReplyTest() {
        standin::outlook::IncomingMail mail;
        mail.fromName = "Maria Sjoberg";
        mail.fromAddress = "maria.sjoberg@nordvik.se";
        mail.subject = "Spring order";
        mail.body = "Hello.";
        mail.cc = {"lena@tallbacka.com"};
        const auto received = outlookUser.Receive(mail);
        msg = DocumentRecord(SaveAsMsg(received, "order.msg"));
        upperMsg = DocumentRecord(SaveAsMsg(received, "ORDER.MSG"));
        eml = DocumentRecord(WriteEml("order.eml", mailtest::kFromMaria));
    }

    std::vector<std::string> ShownAddresses() {
        auto addresses = Addresses(Shown());
        std::ranges::sort(addresses);
        return addresses;
    }

    static bool TempFolderIsEmpty() {
        const std::filesystem::path folder(Globals::Application()->Utility()->TempPath());
        return std::filesystem::is_empty(folder);
    }

    static std::string ErrorOf(const std::function<void()>& step) {
        const auto error = testing::Raised(step);
        return error ? error->Description() : "";
    }

    NewMailReply reply;
    Ptr<kelo::IRecord> msg, upperMsg, eml;
};

TEST_F(NewMailReplyTest, AStoredMailIsAnsweredFromAnyOfItsFileKinds) {
    using Verb = void (NewMailReply::*)(const ObjectPtr&);
    const std::vector<std::string> sender = {"maria.sjoberg@nordvik.se"};
    const std::vector<std::string> everyone = {"lena@tallbacka.com", "maria.sjoberg@nordvik.se"};
    const struct {
        const char* what;
        Verb verb;
        std::string subject;
        bool toAll;
    } verbs[] = {
        {"reply", &NewMailReply::Reply, "RE: Spring order", false},
        {"reply to all", &NewMailReply::ReplyAll, "RE: Spring order", true},
        {"forward", &NewMailReply::Forward, "FW: Spring order", false},
    };
    const struct {
        const char* kind;
        Ptr<kelo::IRecord> record;
        std::vector<std::string> all;  // the Internet mail was to the user alone
    } kinds[] = {{".msg", msg, everyone}, {".MSG", upperMsg, everyone}, {".eml", eml, sender}};
    for (const auto& k : kinds) {
        for (const auto& v : verbs) {
            SCOPED_TRACE(std::string(k.kind) + " " + v.what);
            (reply.*v.verb)(world.User().OpenRecord("document", k.record->ID()));
            ASSERT_TRUE(Shown());
            EXPECT_EQ(Shown()->Subject(), v.subject);
            const bool forward = v.verb == &NewMailReply::Forward;
            EXPECT_EQ(ShownAddresses(), forward ? std::vector<std::string>{} : v.toAll ? k.all : sender);
            EXPECT_NE(Shown()->Body().find("Hello."), std::string::npos);
            EXPECT_EQ(Count(outlook::olFolderDrafts), drafts) << "the answered copy is gone from Drafts";
            EXPECT_TRUE(TempFolderIsEmpty());
            outlookUser.Close(world.Outlook()->ActiveInspector(), false);
        }
    }
    EXPECT_EQ(Globals::EventListenerCount(), registered);
}

TEST_F(NewMailReplyTest, ARecordThatLinksADocumentRecordAnswersItsMail) {
    auto& schema = world.Client().Data()->Metadata();
    const auto letter = schema.AddClass({"letter", "Letter", "Letters", 20, "<id>"});
    schema.AddRelation(letter, {.name = "mail", .type = kelo::fieldtype::RelationToOne}, schema.Require("document"),
                       {.name = "letters", .type = kelo::fieldtype::RelationToMany});
    const auto record = NewRecord("letter");
    record->SetValue("mail", Variant(msg->ID()));
    record->Update();
    reply.Reply(record);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Shown()->Subject(), "RE: Spring order");
}

TEST_F(NewMailReplyTest, WithoutAStoredMailTheUserIsTold) {
    const auto other = NewRecord("document");
    const auto file = Cast<kelo::IDocument>(Globals::Application()->CreateObject("QVR.Document"));
    file->LoadFromFile(WriteFile("offer.docx", "PK"));
    other->SetValue("file", Variant(file));
    other->Update();
    const auto empty = NewRecord("document");
    empty->SetValue("comment", Variant("No file"));
    empty->Update();

    const std::string select = Tools::GetText("PleaseSelectMail");
    const struct {
        const char* what;
        std::function<ObjectPtr()> context;
        std::string error;
    } cases[] = {
        {"no context", [] { return nullptr; }, Tools::GetText("InternalError")},
        {"a record without a document field", [&] { return ObjectPtr(world.User().OpenRecord("person", 1)); },
         "There is no document attached to current context"},
        {"a document record without a file", [&] { return ObjectPtr(empty); }, select},
        {"a document that is no mail", [&] { return ObjectPtr(world.User().OpenRecord("document", other->ID())); },
         select},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ErrorOf([&] { reply.Reply(c.context()); }), c.error);
        EXPECT_FALSE(world.Outlook()->ActiveInspector());
        EXPECT_TRUE(TempFolderIsEmpty());
    }
    // A list window without an active entry has no mail to answer; with one, that entry's mail.
    const auto list = world.User().OpenList("document");
    EXPECT_EQ(ErrorOf([&] { reply.Reply(list); }), select);
    world.User().SetActiveItem(list, eml->ID());
    reply.Forward(list);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(Shown()->Subject(), "FW: Spring order");
}

}  // namespace
}  // namespace ostrellix::addin::composetest
