#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IUser.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocumentTemplates.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IRecipient.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/MenuCommands.h"
#include "standins/kelo/engine/DemoData.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/support/AddinWorld.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin {
namespace {

using standin::kelo::MenuCommands;
using testing::AddinWorld;
using testing::Raised;

constexpr std::int32_t kControl = 17;

// The client's Outlook menu and its document and mailing commands, run
// against the loaded add-in.
class MenuCommandsTest : public ::testing::Test {
protected:
    AddinWorld world{{.outlookRunning = true}};
    MenuCommands menu{world.Client()};

    Ptr<kelo::IDocument> Document(const char* extension) {
        const auto document = Cast<kelo::IDocument>(world.Kelo().CreateObject("QVR.Document"));
        document->SetExtension(extension);
        return document;
    }
    const auto& Boxes() { return world.Kelo().Boxes().History(); }
};

TEST_F(MenuCommandsTest, MailTemplatesBecomeShownMailsAndNewDocuments) {
    standin::kelo::DemoData::SeedMailTemplates(world.Kelo().DataEngine());
    const auto offer = menu.MailTemplates(world.Kelo().Classes()->FindByName("person"), nullptr)->Item(1);
    const auto window = world.User().OpenRecord("person", 1);
    const auto work = std::filesystem::path(Globals::Application()->Utility()->WorkingFolder());
    const auto mailFiles = [&] {
        std::size_t files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(work)) files += entry.path().extension() == ".msg";
        return files;
    };

    menu.MailFromTemplate(window, offer);
    const auto shown = As<outlook::IMailItem>(world.Outlook()->ActiveInspector()->CurrentItem());
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->Subject(), "Offer for Maria Sjöberg");
    EXPECT_EQ(shown->To(), "maria.sjoberg@nordvik.se");
    EXPECT_EQ(shown->CC(), "") << "Maria has no second address";
    EXPECT_NE(shown->Body().find("our offer for Nordvik Trading AB"), std::string::npos);
    EXPECT_EQ(mailFiles(), 0u) << "the merged file is removed once the mail is shown";
    standin::outlook::SimulatedUser(world.Outlook()).Close(world.Outlook()->ActiveInspector(), false);

    const auto made = menu.NewDocument(window->Record(), offer);
    ASSERT_TRUE(made);
    EXPECT_EQ(made->Name(), "Offer");
    EXPECT_EQ(made->Extension(), "msg");
    EXPECT_EQ(made->ID(), 0) << "the client stores it with the record that takes it";
    EXPECT_EQ(mailFiles(), 0u);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MenuCommandsTest, DocumentsTheAddinDoesNotHandleStayWithTheClient) {
    EXPECT_FALSE(menu.OpenDocument(Document("docx")));
    EXPECT_FALSE(menu.PrintDocument(Document("pdf")));
    const auto emlTemplate = standin::kelo::DocumentTemplate::Create(world.Kelo().DataEngine(), "Note", "", "eml", {});
    EXPECT_FALSE(menu.NewDocument(world.User().OpenRecord("person", 1)->Record(), emlTemplate))
        << "the factory makes \".msg\" documents only";

    // Printing reports its own failure.
    EXPECT_TRUE(menu.PrintDocument(Document("msg")));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Source: Addin.IDocumentViewer_PrintOut"), std::string::npos);
}

TEST_F(MenuCommandsTest, DroppedFilesReachTheAddinWhichTakesOnlyMailFiles) {
    const auto window = world.User().OpenRecord("company", 1);
    EXPECT_FALSE(menu.DropFile(window, (world.Folder() / "notes.txt").string()));
    // A mail file is the add-in's even when filing it fails (here: it is gone).
    EXPECT_TRUE(menu.DropFile(window, (world.Folder() / "gone.EML").string()));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Addin.m_WorkDialog_Work"), std::string::npos);
    Globals::Options()->SetAllowDragDrop(false);
    EXPECT_FALSE(menu.DropFile(window, (world.Folder() / "gone.msg").string()));
}

TEST_F(MenuCommandsTest, SynchronizingAsksToSwitchSynchronizationOnFirst) {
    const auto window = world.User().OpenRecord("company", 1);
    const std::int32_t me = world.Kelo().ActiveUser()->Record()->ID();
    ASSERT_NE(Globals::Options()->SynchronizationUser(), me);

    world.User().QueueAnswers({7});
    menu.Synchronize(window);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, Tools::GetText("ActivateSynchronization"));
    EXPECT_EQ(Boxes()[0].flags, 36);
    EXPECT_NE(Globals::Options()->SynchronizationUser(), me);
    EXPECT_FALSE(world.Logged("Starting synchronization"));

    // Yes switches it on; Control held makes the run a partial one.
    world.User().QueueAnswers({6});
    world.User().PressKeyDuring(kControl, [&] { menu.Synchronize(window); });
    EXPECT_EQ(Globals::Options()->SynchronizationUser(), me);
    EXPECT_TRUE(world.Logged("Starting synchronization, full:False"));
    EXPECT_FALSE(world.Logged("Starting synchronization, full:True"));

    // Once on, no question; without Control a full run.
    menu.Synchronize(window);
    EXPECT_EQ(Boxes().size(), 2u);
    EXPECT_TRUE(world.Logged("Starting synchronization, full:True"));
}

TEST_F(MenuCommandsTest, AUserWithoutACoworkerRecordCannotSynchronize) {
    world.Kelo().SignIn("Administrator");
    const auto error = Raised([&] { menu.Synchronize(world.User().OpenList("company")); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), 9999);
    EXPECT_EQ(error->Description(), Tools::GetText("NoCoworker"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MenuCommandsTest, PickFromOutlookGivesTheOneNameChosenOrNothing) {
    standin::outlook::SimulatedUser outlookUser(world.Outlook());
    outlookUser.WillChooseNames({{"Erik Holm", outlook::olCC}, {"Anna Lindqvist", outlook::olTo}});
    const auto picked = As<outlook::IRecipient>(menu.PickOutlookRecipient());
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->Name(), "Erik Holm");
    EXPECT_EQ(picked->Type(), outlook::olTo) << "whatever line it was chosen for";
    EXPECT_EQ(picked->AddressEntry()->Type(), "EX");
    outlookUser.WillCancelSelectNames();
    EXPECT_FALSE(menu.PickOutlookRecipient());
}

TEST_F(MenuCommandsTest, TheAddinsOwnMembersAreReachedByName) {
    EXPECT_TRUE(SameObject(menu.CallAddin("options").ToObject(), Globals::Options()));
    EXPECT_TRUE(menu.CallAddin("IsValidEMailAddress", {Variant("erik.holm@demo.example")}).ToBoolean());
    EXPECT_EQ(menu.CallAddin("TruncateDescription", {Variant("Call\tMaria"), Variant(20)}).ToString(), "Call Maria");

    Globals::Options()->SetSynchronizationUser(world.Kelo().ActiveUser()->Record()->ID());
    menu.CallAddin("Synchronize");
    EXPECT_TRUE(world.Logged("Starting synchronization, full:"));

    const struct {
        const char* member;
        std::vector<Variant> arguments;
        std::int32_t number;
    } refused[] = {
        {"Fly", {}, errors::NotSupported},
        // The hooks are the add-in's to raise, not the client's to call.
        {"OnNewMail", {Variant(ObjectPtr()), Variant(ObjectPtr()), Variant(ObjectPtr())}, errors::NotSupported},
        {"PickOutlookRecipient", {Variant(1)}, errors::WrongNumberOfArguments},
        {"DisplayItem", {Variant("person:1")}, errors::ObjectRequired},
    };
    for (const auto& call : refused) {
        const auto error = Raised([&] { menu.CallAddin(call.member, call.arguments); });
        ASSERT_TRUE(error) << call.member;
        EXPECT_EQ(error->Number(), call.number) << call.member;
    }
}

TEST(MenuCommandsLateBindingTest, StartOutlookByNameStartsIt) {
    AddinWorld world;
    ASSERT_FALSE(world.Outlook());
    MenuCommands(world.Client()).CallAddin("StartOutlook");
    EXPECT_TRUE(world.Outlook());
}

TEST(MenuCommandsWithoutAddinTest, TheMenuNeedsAnAddinThatOffersTheCommands) {
    AddinWorld world{{.loadAddin = false}};
    MenuCommands menu(world.Client());
    const auto error = Raised([&] { menu.NewMail(world.User().OpenRecord("company", 1)); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), errors::NotSupported);
}

}  // namespace
}  // namespace ostrellix::addin
