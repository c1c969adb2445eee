#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClass.h"
#include "contracts/kelo/IDatabase.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IMessengerOptionsControl.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/mapi/Constants.h"
#include "contracts/mapi/ISession.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "messenger/FieldMenu.h"
#include "messenger/FormMessenger.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/KeloClient.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/StoredFilters.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/messenger/MessengerFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::messengertest {
namespace {

using Panel = MessengerControl;

std::vector<std::int32_t> Numbers(const std::vector<win::MenuItem>& items) {
    std::vector<std::int32_t> numbers;
    for (const auto& item : items) numbers.push_back(item.number);
    return numbers;
}

// The compose dialog on the add-in's machine, with the person in front of
// it planned: what they do in the dialog and its panel, and in Outlook's
// message window.
class MessengerControlTest : public MessengerTest {
protected:
    using Plan = std::function<void(FormMessenger&, Panel&)>;

    bool Compose(Plan plan) {
        world.System().Forms().PlanNext("FormMessenger", [plan](win::IForm& form) {
            auto& dialog = dynamic_cast<FormMessenger&>(form);
            plan(dialog, *dialog.CtrlMessenger());
        });
        return messenger->IMessenger_Compose();
    }
    // The messenger's own setting, not the panel's working copy.
    Variant Setting(const std::string& name) { return Settings()->Value(name); }
    // A new message written in its window and ended with Send.
    void WriteMessage(Panel& panel, const std::string& subject, const std::string& body) {
        Menus().PlanChoice("New message");
        panel.Click("CtrlNewButton");
        const auto window = panel.MessageInspector();
        ASSERT_TRUE(window);
        outlookUser.Type(window, "Subject", Variant(subject));
        outlookUser.Type(window, "Body", Variant(body));
        outlookUser.PressSend(window);
    }
    standin::system::PopupMenus& Menus() { return world.System().Menus(); }
    std::vector<standin::kelo::MessageBoxes::Shown> Boxes() { return world.Kelo().Boxes().History(); }
    const standin::system::FormHost::Shown& LastDialog() { return *world.System().Forms().Last("FormMessenger"); }

    standin::outlook::SimulatedUser outlookUser{world.Outlook()};
    const std::size_t sentBefore = Mails(outlook::olFolderSentMail).size();
};

TEST_F(MessengerControlTest, SendInTheMessageWindowKeepsTheMessageForTheMailingAndSendsNothing) {
    win::FormControl newButton;
    const bool confirmed = Compose([&](FormMessenger& dialog, Panel& panel) {
        newButton = panel.State("CtrlNewButton");
        EXPECT_FALSE(panel.State("CtrlEditButton").enabled) << "nothing to edit before a message exists";
        EXPECT_EQ(panel.State("CtrlTemplate").caption, "(no subject)");
        EXPECT_EQ(panel.State("CtrlField").caption, "E-mail");
        EXPECT_EQ(panel.State("CtrlSendOneByOne").value.ToLong(), 1);
        WriteMessage(panel, "Offer for <lastname>", "Dear <lastname>,");
        EXPECT_FALSE(panel.MessageInspector()) << "Send closes the window";
        EXPECT_EQ(panel.State("CtrlTemplate").caption, "Offer for <lastname>");
        EXPECT_TRUE(panel.State("CtrlEditButton").enabled);
        panel.Click("CtrlSaveOnlyFirstMail");
        dialog.Click("CtrlOK");
    });
    EXPECT_TRUE(confirmed);
    EXPECT_FALSE(LastDialog().closedByHost);
    EXPECT_TRUE(Boxes().empty()) << "no hint after Send, and no error";
    EXPECT_EQ(Mails(outlook::olFolderSentMail).size(), sentBefore);
    ASSERT_EQ(Menus().History().size(), 1u);
    EXPECT_EQ(Numbers(Menus().History()[0].items), (std::vector<std::int32_t>{100}));
    // The menu opens below its button.
    ASSERT_GT(newButton.height, 0);
    EXPECT_EQ(Menus().History()[0].x, newButton.left);
    EXPECT_EQ(Menus().History()[0].y, newButton.top + newButton.height);

    const std::string entryId = Setting("Message").ToString();
    ASSERT_FALSE(entryId.empty());
    EXPECT_EQ(Globals::Outlook()->Session()->GetItemFromID(entryId)->Subject(), "Offer for <lastname>");
    const auto document = Setting("Template").ToObjectAs<kelo::IDocument>();
    ASSERT_TRUE(document);
    EXPECT_FALSE(document->Data().empty());
    EXPECT_FALSE(Setting("SaveOnlyFirstMail").ToBoolean());
}

TEST_F(MessengerControlTest, TheCloseBoxOfTheMessageWindowEarnsTheHint) {
    for (const bool saveChanges : {true, false}) {
        SCOPED_TRACE(saveChanges ? "saved" : "dropped");
        messenger = std::make_shared<Messenger>();
        messenger->IMessenger_SetClass(Class("person"));
        const std::size_t boxesBefore = Boxes().size();
        std::string written;
        const bool confirmed = Compose([&](FormMessenger& dialog, Panel& panel) {
            Menus().PlanChoice(100);
            panel.Click("CtrlNewButton");
            const auto window = panel.MessageInspector();
            outlookUser.Type(window, "Subject", Variant("Kept"));
            outlookUser.Close(window, saveChanges);
            written = panel.WorkingProperties()->Value("Message").ToString();
            dialog.Click("CtrlOK");
        });
        const auto boxes = Boxes();
        ASSERT_GE(boxes.size(), boxesBefore + 1);
        EXPECT_NE(boxes[boxesBefore].text.find("click Send in the message window"), std::string::npos);
        EXPECT_EQ(boxes[boxesBefore].flags & 0x70, win::mb::IconInformation);
        // A message never stored is no message: OK is refused and the dialog stays open.
        EXPECT_EQ(confirmed, saveChanges);
        EXPECT_EQ(written.empty(), !saveChanges);
        if (!saveChanges) {
            ASSERT_EQ(boxes.size(), boxesBefore + 2);
            EXPECT_NE(boxes.back().text.find("Please create the message to send."), std::string::npos);
            EXPECT_NE(boxes.back().text.find("FromMessenger.CtrlOK_Click"), std::string::npos);
            EXPECT_TRUE(LastDialog().closedByHost);
        }
    }
}

TEST_F(MessengerControlTest, NothingIsSavedWhileTheMessageWindowIsOpenAndCancelKeepsTheMessengersSettings) {
    const bool confirmed = Compose([&](FormMessenger& dialog, Panel& panel) {
        Menus().PlanChoice("New message");
        panel.Click("CtrlNewButton");
        panel.Click("CtrlSendOneByOne");
        dialog.Click("CtrlOK");
        EXPECT_TRUE(dialog.Visible());
        // Edit brings the open window forward rather than opening another.
        const auto window = panel.MessageInspector();
        panel.Click("CtrlEditButton");
        EXPECT_EQ(panel.MessageInspector(), window);
        outlookUser.Type(window, "Subject", Variant("Draft"));
        outlookUser.PressSend(window);
        dialog.Click("CtrlCancel");
    });
    EXPECT_FALSE(confirmed);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Please close the message window"), std::string::npos);
    EXPECT_NE(Boxes()[0].text.find("FromMessenger.CtrlOK_Click"), std::string::npos);
    EXPECT_TRUE(Setting("Message").ToString().empty());
    EXPECT_TRUE(Setting("SendOneByOne").ToBoolean());
}

TEST_F(MessengerControlTest, TheMessageCanBeEditedAgainAndStartFromASortedTemplate) {
    // A template's file is a message file as Outlook saves one.
    const std::string draft = Draft("Spring offer", "Hello <firstname>.");
    const auto path = (world.Folder() / "spring.msg").string();
    Globals::Redemption()->GetMessageFromID(draft)->SaveAs(path, mapi::olMSG);
    std::ifstream file(path, std::ios::binary);
    const Bytes data{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const auto engine = world.Kelo().DataEngine();
    standin::kelo::DocumentTemplate::Create(engine, "Winter news", "person", "msg", data);
    standin::kelo::DocumentTemplate::Create(engine, "spring offer", "", "msg", data);
    standin::kelo::DocumentTemplate::Create(engine, "Company letter", "company", "msg", data);

    const bool confirmed = Compose([&](FormMessenger& dialog, Panel& panel) {
        Menus().PlanChoice("spring offer");
        panel.Click("CtrlNewButton");
        const auto window = panel.MessageInspector();
        ASSERT_TRUE(window);
        EXPECT_EQ(window->CurrentItem()->Subject(), "Spring offer");
        outlookUser.Type(window, "Subject", Variant("Spring offer for <lastname>"));
        outlookUser.PressSend(window);
        // Edit opens the stored message again.
        panel.Click("CtrlEditButton");
        ASSERT_TRUE(panel.MessageInspector());
        EXPECT_EQ(panel.MessageInspector()->CurrentItem()->EntryID(),
                  panel.WorkingProperties()->Value("Message").ToString());
        outlookUser.PressSend(panel.MessageInspector());
        dialog.Click("CtrlOK");
    });
    EXPECT_TRUE(confirmed);
    const auto& menu = Menus().History().at(0).items;
    ASSERT_EQ(menu.size(), 3u);
    EXPECT_EQ(Numbers(menu), (std::vector<std::int32_t>{100, 101, 102}));
    EXPECT_EQ(menu[1].text, "spring offer");
    EXPECT_EQ(menu[2].text, "Winter news");
    EXPECT_EQ(Globals::Outlook()->Session()->GetItemFromID(Setting("Message").ToString())->Subject(),
              "Spring offer for <lastname>");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(MessengerControlTest, RemoveFilterIsOfferedOnlyWhileAFilterIsSet) {
    Compose([&](FormMessenger& dialog, Panel& panel) {
        world.Kelo().Dialogs()->PlanFilterEdit(
            {[](kelo::IFilter& filter) { filter.Add("lastname", kelo::op::Equal, Variant("Berg")); }, true});
        Menus().PlanChoice("New filter...");
        panel.Click("CtrlFilterButton");
        EXPECT_NE(panel.State("CtrlFilter").caption, "");
        // A filter edit the user cancels leaves the filter as it was.
        world.Kelo().Dialogs()->PlanFilterEdit({nullptr, false});
        Menus().PlanChoice(101);
        panel.Click("CtrlFilterButton");
        EXPECT_TRUE(panel.WorkingProperties()->Value("Filter").IsObject());
        Menus().PlanChoice("Remove filter");
        panel.Click("CtrlFilterButton");
        EXPECT_EQ(panel.State("CtrlFilter").caption, "");
        EXPECT_FALSE(panel.WorkingProperties()->Value("Filter").IsObject());
        Menus().PlanDismiss();
        panel.Click("CtrlFilterButton");
        dialog.Click("CtrlCancel");
    });
    const auto& menus = Menus().History();
    ASSERT_EQ(menus.size(), 4u);
    EXPECT_EQ(Numbers(menus[0].items), (std::vector<std::int32_t>{100, 101}));
    EXPECT_EQ(Numbers(menus[1].items), (std::vector<std::int32_t>{99, 100, 101}));
    EXPECT_EQ(Numbers(menus[2].items), (std::vector<std::int32_t>{99, 100, 101}));
    EXPECT_EQ(Numbers(menus[3].items), (std::vector<std::int32_t>{100, 101}));
    const auto& reports = world.Kelo().Dialogs()->Reports();
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_EQ(reports[0].parameters, (std::vector<std::string>{"Class", "Filter"}));
}

// The class's stored filters follow the two editing items; one chosen
// becomes the mailing's filter as it is, and the stored one stays as it was.
TEST_F(MessengerControlTest, StoredFiltersOfTheClassAreOfferedAfterTheEditingItems) {
    const auto storeFor = [&](const char* className, const char* name, const char* lastname) {
        standin::kelo::Filter filter;
        filter.Add("lastname", kelo::op::Equal, Variant(lastname));
        standin::kelo::StoredFilters::Store(*world.Client().Data(),
                                            *std::dynamic_pointer_cast<standin::kelo::Class>(Class(className)), name,
                                            filter);
    };
    storeFor("person", "Nordvik people", "Ek");
    storeFor("person", "Dahl family", "Dahl");
    storeFor("coworker", "Colleagues", "Holm");
    Compose([&](FormMessenger& dialog, Panel& panel) {
        Menus().PlanChoice("Nordvik people");
        panel.Click("CtrlFilterButton");
        EXPECT_EQ(panel.State("CtrlFilter").caption, "lastname = \"Ek\"");
        const auto chosen = panel.WorkingProperties()->Value("Filter").ToObjectAs<kelo::IFilter>();
        ASSERT_TRUE(chosen);
        chosen->Add("firstname", kelo::op::Equal, Variant("Johan"));
        Menus().PlanDismiss();
        panel.Click("CtrlFilterButton");
        dialog.Click("CtrlOK");
    });
    const auto& menus = Menus().History();
    ASSERT_EQ(menus.size(), 2u);
    EXPECT_EQ(Numbers(menus[0].items), (std::vector<std::int32_t>{100, 101, 102, 103}));
    EXPECT_EQ(menus[0].items[2].text, "Dahl family");
    EXPECT_EQ(menus[0].items[3].text, "Nordvik people");
    EXPECT_EQ(Numbers(menus[1].items), (std::vector<std::int32_t>{99, 100, 101, 102, 103}));
    const auto stored = Globals::Application()->Database()->Filters(Class("person"));
    EXPECT_EQ(stored->Filter(2)->Description(), "lastname = \"Ek\"");
    EXPECT_EQ(Setting("Filter").ToObjectAs<kelo::IFilter>()->Description(),
              "lastname = \"Ek\" and firstname = \"Johan\"");
}

TEST_F(MessengerControlTest, TheFieldMenuOffersEmailFieldsThroughRelationsEachClassOnce) {
    const auto menu = std::make_shared<FieldMenu>();
    menu->SetFields(Class("todo")->Fields());
    menu->SetFieldTypes(Variant(kelo::fieldtype::EMail));
    menu->SetEmptyMenuText("None");
    Menus().PlanChoice(4);
    EXPECT_EQ(menu->Show(10, 20, 0), "person.email2");
    const auto& items = Menus().History().back().items;
    // The company has no e-mail field, and the person's company was offered under the person already.
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, "Responsible");
    EXPECT_EQ(items[1].text, "Person");
    EXPECT_EQ(Numbers(items[1].submenu), (std::vector<std::int32_t>{3, 4}));
    EXPECT_EQ(Menus().History().back().x, 10);

    // Without a qualifying field only the text is shown, and it cannot be chosen.
    menu->SetFields(Class("company")->Fields());
    Menus().PlanChoice("None");
    EXPECT_EQ(menu->Show(0, 0, 0), "");
    const auto& empty = Menus().History().back().items;
    ASSERT_EQ(empty.size(), 1u);
    EXPECT_FALSE(empty[0].enabled);
    EXPECT_EQ(Menus().History().back().chosen, 0);
}

TEST_F(MessengerControlTest, TheChosenFieldIsTheMailings) {
    Compose([&](FormMessenger& dialog, Panel& panel) {
        Menus().PlanChoice("E-mail 2");
        panel.Click("CtrlFieldButton");
        EXPECT_EQ(panel.State("CtrlField").caption, "E-mail 2");
        WriteMessage(panel, "News", "Hello.");
        dialog.Click("CtrlOK");
    });
    EXPECT_EQ(Setting("Field").ToString(), "email2");
}

TEST_F(MessengerControlTest, AMessageGoneFromOutlookIsReportedWhereTheUserAskedForIt) {
    Set("Message", Variant(std::string("00000000DEADBEEF")));
    Compose([&](FormMessenger& dialog, Panel& panel) {
        panel.Click("CtrlEditButton");
        EXPECT_FALSE(panel.MessageInspector());
        EXPECT_TRUE(dialog.Visible());
        dialog.Click("CtrlCancel");
    });
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].text.find("Source: MessengerControl.CtrlEditButton_Click"), std::string::npos)
        << Boxes()[0].text;
}

TEST_F(MessengerControlTest, TheClientCreatesThePanelAndSavesThroughIt) {
    const auto control = Cast<kelo::IMessengerOptionsControl>(messenger->IMessenger_OptionsControl());
    control->IMessengerOptionsControl_Activate();
    auto& panel = dynamic_cast<Panel&>(*control);
    EXPECT_EQ(panel.Messenger(), messenger);
    panel.WorkingProperties()->SetValue("IgnoreDuplicates", Variant(false));
    EXPECT_TRUE(control->IMessengerOptionsControl_Save(false)) << "without validation a mailing needs no message";
    EXPECT_FALSE(Setting("IgnoreDuplicates").ToBoolean());
    const auto invalid = testing::Raised([&] { control->IMessengerOptionsControl_Save(true); });
    ASSERT_TRUE(invalid) << "a mailing without a message is not valid";
    EXPECT_EQ(invalid->Description(), "Please create the message to send.");
}

}  // namespace
}  // namespace ostrellix::addin::messengertest
