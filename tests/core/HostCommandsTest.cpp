#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/kelo/IFields.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/INameSpace.h"
#include "contracts/outlook/IRecipients.h"
#include "core/Addin.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "sync/Synchronizer.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using testing::AddinWorld;
using testing::Raised;

TEST(HostCommandsTest, SupportsAndConstantsAnswerAsTheClientExpects) {
    AddinWorld world;
    const auto loaded = world.TheAddin();  // kept alive past the client's shutdown below
    Addin& addin = *loaded;
    for (const bool editable : {false, true}) {
        SCOPED_TRACE(editable ? "messages editable" : "messages read-only");
        Globals::Options()->SetAllowEditMessages(editable);
        struct Case {
            const char* question;
            bool answer;
            bool expected;
        };
        const std::vector<Case> cases = {
            {"mailer kind 1", addin.IMailer_Supports(1, Variant("x")), true},
            {"mailer kind 2", addin.IMailer_Supports(2, Variant("x")), false},
            {"factory msg", addin.IDocumentFactory_Supports(1, Variant("MsG")), true},
            {"factory eml", addin.IDocumentFactory_Supports(1, Variant("eml")), false},
            {"factory edit", addin.IDocumentFactory_Supports(2, Variant()), editable},
            {"factory kind 3", addin.IDocumentFactory_Supports(3, Variant("msg")), false},
            {"viewer msg", addin.IDocumentViewer_Supports(1, Variant("MSG")), true},
            {"viewer eml", addin.IDocumentViewer_Supports(1, Variant("Eml")), true},
            {"viewer docx", addin.IDocumentViewer_Supports(1, Variant("docx")), false},
            {"viewer kind 2", addin.IDocumentViewer_Supports(2, Variant()), true},
            {"viewer kind 3", addin.IDocumentViewer_Supports(3, Variant()), true},
            {"viewer edit", addin.IDocumentViewer_Supports(4, Variant()), editable},
            {"viewer kind 5", addin.IDocumentViewer_Supports(5, Variant("msg")), false},
        };
        for (const Case& each : cases) EXPECT_EQ(each.answer, each.expected) << each.question;
    }
    EXPECT_EQ(addin.IDocumentFactory_GUID(), "{D2EC499E-2FBB-4207-B373-7339D09958CB}");  // what the client registered
    EXPECT_EQ(addin.IOutlookAddin_GetOutlookVersion(), 14) << "Outlook is not running";

    // Without options (the client let the add-in go) the factory says no
    // rather than fail; the viewer has no such guard.
    world.Client().Shutdown();
    EXPECT_FALSE(addin.IDocumentFactory_Supports(2, Variant()));
    EXPECT_TRUE(Raised([&] { addin.IDocumentViewer_Supports(4, Variant()); }));
}

TEST(HostCommandsTest, TemplatesBelongWhereTheirLocationBeginsAClassOrFieldName) {
    AddinWorld world;
    const auto engine = world.Kelo().DataEngine();
    const struct {
        const char* name;
        const char* location;
        const char* extension;
    } templates[] = {
        {"Everywhere", "", "msg"},        {"Short", "PER", "MSG"},          {"Local field", "Person.E-mail", "eml"},
        {"Field", "person.email", "msg"}, {"Other field", "person.phone", "msg"}, {"Letter", "", "docx"},
        {"Company", "company", "msg"},    {"Longer", "personal", "eml"},
    };
    for (const auto& each : templates) standin::kelo::DocumentTemplate::Create(engine, each.name, each.location, each.extension, {});

    const auto names = [](const Ptr<kelo::IDocumentTemplates>& found) {
        std::vector<std::string> out;
        for (std::int32_t i = 1; i <= found->Count(); ++i) out.push_back(found->Item(i)->Name());
        return out;
    };
    const auto person = world.Kelo().Classes()->FindByName("person");
    Addin& addin = *world.TheAddin();
    EXPECT_EQ(names(addin.IMailer_Templates(person, nullptr)), (std::vector<std::string>{"Everywhere", "Short"}));
    EXPECT_EQ(names(addin.IMailer_Templates(person, person->Fields()->FindByName("email"))),
              (std::vector<std::string>{"Everywhere", "Short", "Local field", "Field"}));
}

// A to-do paired with an appointment in the running Outlook.
class DisplayItemTest : public ::testing::Test {
protected:
    AddinWorld world{{.outlookRunning = true}};

    std::string PairedTodo(std::int32_t& id) {
        const auto application = Globals::Application();
        const auto todo = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
        todo->New(application->Classes()->FindByName("todo"));
        todo->SetValue("subject", "Fair");
        todo->SetValue("start", Date::FromParts(2024, 5, 6, 9));
        todo->SetValue("end", Date::FromParts(2024, 5, 6, 10));
        todo->Update();
        const auto sync = Globals::Synchronizer();
        const auto item = sync->CreateItemFromRecord(todo);
        sync->UpdateItemFromRecord(item, todo);
        item->Save();
        sync->EnableSynchronization(item, todo);
        id = todo->ID();
        return item->EntryID();
    }
    const auto& Boxes() { return world.Kelo().Boxes().History(); }
};

TEST_F(DisplayItemTest, TheRecordsItemIsShownInOutlook) {
    std::int32_t id = 0;
    const std::string entryId = PairedTodo(id);
    world.TheAddin()->IOutlookAddin_DisplayItem(world.User().OpenRecord("todo", id));
    ASSERT_TRUE(world.Outlook()->ActiveInspector());
    EXPECT_EQ(world.Outlook()->ActiveInspector()->CurrentItem()->EntryID(), entryId);

    // From a list window, the active entry's item.
    world.Outlook()->ActiveInspector()->Close(outlook::olDiscard);
    const auto list = world.User().OpenList("todo");
    world.User().SetActiveItem(list, id);
    world.TheAddin()->IOutlookAddin_DisplayItem(list);
    ASSERT_TRUE(world.Outlook()->ActiveInspector());
    EXPECT_EQ(world.Outlook()->ActiveInspector()->CurrentItem()->EntryID(), entryId);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(DisplayItemTest, WithoutAnItemTheUserIsOfferedTheExport) {
    Addin& addin = *world.TheAddin();
    // Persons and coworkers are contacts in Outlook; other records are items.
    world.User().QueueAnswers({7, 7, 7});
    addin.IOutlookAddin_DisplayItem(world.User().OpenRecord("company", 1));
    addin.IOutlookAddin_DisplayItem(world.User().OpenList("person"));
    addin.IOutlookAddin_DisplayItem(world.User().OpenRecord("coworker", 1));
    ASSERT_EQ(Boxes().size(), 3u);
    EXPECT_EQ(Boxes()[0].text, Tools::GetText("ItemNotFoundInOutlook"));
    EXPECT_EQ(Boxes()[0].flags, 36);
    EXPECT_EQ(Boxes()[1].text, Tools::GetText("ContactNotFoundInOutlook"));
    EXPECT_EQ(Boxes()[2].text, Tools::GetText("ContactNotFoundInOutlook"));
    EXPECT_FALSE(world.Outlook()->ActiveInspector());

    // Yes hands the record to the export: the person is in Outlook's contacts from then on.
    world.User().QueueAnswers({6});
    const auto window = world.User().OpenRecord("person", 1);
    addin.IOutlookAddin_DisplayItem(window);
    EXPECT_TRUE(Globals::Synchronizer()->FindItemFromRecord(window->Record()));
}

TEST(HostCommandsTest, SendURLHandsTheRecordsToTheClientsLinkMailWithDesktopLinks) {
    AddinWorld world;
    const auto window = world.User().OpenRecord("company", 1);
    world.TheAddin()->IMailer_SendURL(Variant(window), "See", Variant("a@b.example"), nullptr, 4);
    ASSERT_EQ(world.Kelo().LinkMails().size(), 1u);
    const auto& mail = world.Kelo().LinkMails()[0];
    EXPECT_EQ(mail.subject, "See");
    EXPECT_EQ(mail.recipients, std::vector<std::string>{"a@b.example"});
    EXPECT_EQ(mail.flags, 4);
    EXPECT_EQ(mail.kind, kelo::linkkind::Desktop);
    ASSERT_EQ(mail.entries.size(), 1u);
    EXPECT_EQ(mail.entries[0].descriptive, window->Record()->Descriptive());
}

}  // namespace
}  // namespace ostrellix::addin
