#include "contracts/mapi/IAddressBook.h"
#include "contracts/mapi/IAddressEntry.h"
#include "core/Tools.h"
#include "standins/kelo/client/ConfigurationDialog.h"
#include "standins/kelo/client/SimulatedUser.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/support/Raised.h"
#include "tests/ui/UiFixture.h"
#include "ui/UserOptions.h"

namespace ostrellix::addin {
namespace {

namespace ol = outlook;
using ostrellix::testing::Raised;
using Plan = standin::system::FormHost::Plan;

class OptionsDialogsTest : public UiFixture {
protected:
    // The client's options dialog with the add-in's page, as the user opens it.
    Ptr<UserOptions> OpenPage() {
        dialog_ = world_.User().OpenOptions();
        for (const auto& page : dialog_->Pages()) {
            if (auto ours = As<UserOptions>(page)) return ours;
        }
        return nullptr;
    }
    // A button of the page opens its dialog, which the user works as planned.
    standin::system::FormHost::Shown Open(const char* button, const char* dialog, Plan plan) {
        world_.System().Forms().PlanNext(dialog, std::move(plan));
        const auto page = OpenPage();
        page->Click(button);
        return *world_.System().Forms().Last(dialog);
    }
    std::string AddressEntryID(const std::string& name) {
        return Must(Globals::Redemption()->AddressBook()->ResolveName(name)).EntryID();
    }

    Ptr<standin::kelo::ConfigurationDialog> dialog_;
};

TEST_F(OptionsDialogsTest, ThePageShowsTwoSwitchesAndKeepsThemWhenApplied) {
    Globals::Options()->SetAllowExport(false);
    const auto page = OpenPage();
    ASSERT_TRUE(page);
    EXPECT_EQ(page->Description(), Tools::GetText("HelpText.UserOptions"));
    EXPECT_EQ(page->State("CtrlAllowExport").caption, world_.Kelo().Text("AllowExport"));
    EXPECT_EQ(page->State("CtrlPanes").caption, Tools::GetText("UserOptions.CtrlPanes"));
    EXPECT_EQ(page->State("CtrlAllowExport").value.ToLong(), 0);
    EXPECT_EQ(page->State("CtrlAllowDragDrop").value.ToLong(), 1);

    page->Click("CtrlAllowExport");
    page->Click("CtrlAllowDragDrop");
    EXPECT_TRUE(Globals::Options()->AllowDragDrop()) << "nothing is kept before the page is applied";
    dialog_->Apply();
    EXPECT_TRUE(Globals::Options()->AllowExport());
    EXPECT_FALSE(Globals::Options()->AllowDragDrop());
}

TEST_F(OptionsDialogsTest, WithoutA32BitOfficeThePanesButtonIsUnavailable) {
    world_.Kelo().SetValue("OfficeIs32Bit", Variant(false));
    const auto page = OpenPage();
    EXPECT_FALSE(page->State("CtrlFrame(1)").visible);
    EXPECT_FALSE(page->State("CtrlPanes").enabled);
    EXPECT_TRUE(Raised([&] { page->Click("CtrlPanes"); }));
    EXPECT_TRUE(world_.System().Forms().History().empty());
}

TEST_F(OptionsDialogsTest, ThePanesButtonOpensThePanesDialog) {
    const auto shown = Open("CtrlPanes", "FormPanes", [](win::IForm& form) {
        form.Click("CtrlShowTasksPane");
        form.Click("CtrlOK");
    });
    EXPECT_FALSE(shown.closedByHost);
    EXPECT_EQ(Globals::Options()->Panes(), std::vector<std::string>{EntryID(ol::olFolderTasks)});
    EXPECT_EQ(Captions(), std::vector<std::string>{"Tasks"});
}

TEST_F(OptionsDialogsTest, OutgoingMailStoresTheChosenModesAndSender) {
    Globals::Options()->SetSaveOutgoingMailFromOutlookMode(2);
    standin::outlook::SimulatedUser outlookUser(world_.Outlook());
    outlookUser.WillChooseNames({{"Erik Holm", ol::olTo}});
    const auto shown = Open("CtrlOutgoingMail", "FormOutgoingMail", [](win::IForm& form) {
        EXPECT_TRUE(form.State("CtrlSaveKeloOption(1)").value.ToBoolean());
        EXPECT_TRUE(form.State("CtrlSaveOutlookOption(2)").value.ToBoolean());
        EXPECT_FALSE(form.State("CtrlPickSender").enabled) << "nobody to send on behalf of yet";
        form.Click("CtrlSaveKeloOption(0)");
        form.Click("CtrlAttachBusinessCard");
        form.Click("CtrlUseSendOnBehalfOf");
        form.Click("CtrlPickSender");
        form.Click("CtrlOK");
    });
    EXPECT_EQ(Find(shown, "CtrlSendOnBehalfOf").value.ToString(), "Erik Holm");
    EXPECT_EQ(Find(shown, "CtrlSaveKeloOption(1)").value.ToBoolean(), false) << "one button of the array at a time";
    const auto options = Globals::Options();
    EXPECT_EQ(options->SaveOutgoingMailMode(), 0);
    EXPECT_EQ(options->SaveOutgoingMailFromOutlookMode(), 2);
    EXPECT_TRUE(options->AttachBusinessCard());
    EXPECT_EQ(options->SendOnBehalfOf(), AddressEntryID("Erik Holm"));

    // Shown again: the stored entry by its name; unticked, nobody is stored whatever the box holds.
    Open("CtrlOutgoingMail", "FormOutgoingMail", [](win::IForm& form) {
        EXPECT_EQ(form.State("CtrlSendOnBehalfOf").value.ToString(), "Erik Holm");
        EXPECT_EQ(form.State("CtrlUseSendOnBehalfOf").value.ToLong(), 1);
        form.Click("CtrlUseSendOnBehalfOf");
        form.Click("CtrlOK");
    });
    EXPECT_EQ(options->SendOnBehalfOf(), "");
}

TEST_F(OptionsDialogsTest, ATypedSenderIsLookedUpAndOneThatDoesNotResolveKeepsTheDialogOpen) {
    bool openAfterUnknown = false;
    const auto shown = Open("CtrlOutgoingMail", "FormOutgoingMail", [&](win::IForm& form) {
        form.Click("CtrlUseSendOnBehalfOf");
        form.Click("CtrlSaveOutlookOption(1)");
        form.Type("CtrlSendOnBehalfOf", "Nobody Known");
        form.Click("CtrlOK");
        openAfterUnknown = form.Visible();
        form.Type("CtrlSendOnBehalfOf", "Erik Holm");
        form.Click("CtrlOK");
    });
    EXPECT_TRUE(openAfterUnknown);
    EXPECT_FALSE(shown.closedByHost);
    EXPECT_EQ(Globals::Options()->SaveOutgoingMailFromOutlookMode(), 1);
    EXPECT_EQ(Globals::Options()->SendOnBehalfOf(), AddressEntryID("Erik Holm"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(OptionsDialogsTest, AFolderThatIsGoneShowsTheDefaultFolderWhichOKThenStores) {
    Globals::Options()->SetCalendarFolderEntryID(Gone());
    const auto projects = DefaultFolder(ol::olFolderInbox)->Folders()->Add("Projects", ol::olMailItem);
    standin::outlook::SimulatedUser outlookUser(world_.Outlook());
    outlookUser.WillPickFolder(projects);
    const auto shown = Open("CtrlFolders", "FormFolders", [&](win::IForm& form) {
        EXPECT_EQ(form.State("CtrlFolderName(1)").value.ToString(), DefaultFolder(ol::olFolderCalendar)->FolderPath());
        form.Click("CtrlPickFolder(0)");
        form.Click("CtrlOK");
    });
    EXPECT_EQ(Find(shown, "CtrlFolderName(0)").value.ToString(), projects->FolderPath());
    EXPECT_EQ(Globals::Options()->InboxFolderEntryID(), projects->EntryID());
    EXPECT_EQ(Globals::Options()->CalendarFolderEntryID(), EntryID(ol::olFolderCalendar));
    EXPECT_EQ(Globals::Options()->TasksFolderEntryID(), EntryID(ol::olFolderTasks));
    EXPECT_EQ(Globals::Options()->MeetingOrganizer(), "");
}

TEST_F(OptionsDialogsTest, SynchronizationIsSwitchedOnForTheActiveUsersCoworkerRecord) {
    const auto coworker = Must(world_.Kelo().ActiveUser()->Record()).ID();
    Open("CtrlSynchronization", "FormSynchOptions", [](win::IForm& form) {
        EXPECT_FALSE(form.State("CtrlSynchTasks").enabled) << "offered only while switched on";
        form.Click("CtrlSynchEnabled");
        form.Click("CtrlSynchContacts");
        form.Type("CtrlOriginalServerName", "OLDSERVER");
        form.Click("CtrlOK");
    });
    EXPECT_EQ(Globals::Options()->SynchronizationUser(), coworker);
    EXPECT_TRUE(Globals::Options()->SynchronizeContacts());
    EXPECT_EQ(Globals::Options()->OriginalServerName(), "OLDSERVER");

    // With nobody signed in it cannot be switched on, and OK switches it off.
    world_.Kelo().SignOut();
    Open("CtrlSynchronization", "FormSynchOptions", [](win::IForm& form) {
        EXPECT_FALSE(form.State("CtrlSynchEnabled").enabled);
        EXPECT_EQ(form.State("CtrlSynchEnabled").value.ToLong(), 0);
        form.Click("CtrlOK");
    });
    EXPECT_EQ(Globals::Options()->SynchronizationUser(), 0);
}

}  // namespace
}  // namespace ostrellix::addin
