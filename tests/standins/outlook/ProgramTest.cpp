#include <gtest/gtest.h>

#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IViewControl.h"
#include "contracts/win/IShell.h"
#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MapiLogon.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;

class ProgramTest : public OutlookFixture {
protected:
    Ptr<ol::IApplication> Running() {
        return As<ol::IApplication>(system->RunningObjects().GetActiveObject(Guid::Parse(ol::kOutlookClassId)));
    }
};

TEST_F(ProgramTest, OneOutlookRunsAndIsFoundByItsClassId) {
    EXPECT_TRUE(SameObject(Running(), outlook));
    EXPECT_TRUE(SameObject(factory.Create(ol::kOutlookProgId), outlook));
    EXPECT_TRUE(SameObject(outlook->GetNamespace("mapi"), session));
    EXPECT_EQ(ErrorOf([&] { outlook->GetNamespace("IMAP"); }), errors::kInvalidArgument);
}

TEST_F(ProgramTest, AnOutlookThatQuitIsGoneForEveryoneHoldingIt) {
    auto mail = Create<ol::IMailItem>(ol::olMailItem, "Kept", true);
    const auto items = Folder(ol::olFolderDrafts)->Items();
    const auto logon = As<MapiLogon>(session->MAPIOBJECT());
    const auto inspector = user->Open(mail);
    bool windowClosed = false;
    Connection onClose = inspector->Events().Close.Connect([&] { windowClosed = true; });
    Connection veto = mail->Events().Close.Connect([](bool& cancel) { cancel = true; });

    outlook->Quit();
    EXPECT_TRUE(windowClosed) << "whatever the item's handlers say";
    EXPECT_FALSE(program->Running());
    EXPECT_EQ(ErrorOf([&] { Running(); }), win::MK_E_UNAVAILABLE);
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { outlook->Session(); }, [&] { session->MAPIOBJECT(); }, [&] { mail->Subject(); },
             [&] { items->Count(); }, [&] { inspector->Caption(); }, [&] { logon->Session(); }}) {
        EXPECT_EQ(ErrorOf(call), ol::kDisconnected);
    }
    EXPECT_FALSE(logon->Connected());

    // Started again, it works on the same profile.
    const auto again = As<ol::IApplication>(factory.Create(ol::kOutlookProgId));
    EXPECT_FALSE(SameObject(again, outlook));
    EXPECT_TRUE(SameObject(Running(), again));
    const auto drafts = again->Session()->GetDefaultFolder(ol::olFolderDrafts)->Items();
    ASSERT_EQ(drafts->Count(), 1);
    EXPECT_EQ(drafts->Item(1)->Subject(), "Kept");
    EXPECT_EQ(ErrorOf([&] { items->Count(); }), ol::kDisconnected) << "the old run's objects stay dead";
}

TEST_F(ProgramTest, StartedFromTheShellItShowsTheInbox) {
    outlook->Quit();
    const auto shell = As<win::IShell>(factory.Create("WScript.Shell"));
    EXPECT_EQ(shell->Run("Outlook.exe /recycle", 8, false), 0);
    const auto started = program->Running();
    ASSERT_TRUE(started);
    ASSERT_TRUE(started->ActiveExplorer());
    EXPECT_EQ(started->ActiveExplorer()->CurrentFolder()->Name(), "Inbox");
    shell->Run("Outlook.exe", 1, false);
    EXPECT_EQ(started->Explorers()->Count(), 1) << "a running Outlook is not started twice";
}

TEST_F(ProgramTest, MessageFileMembersNeedTheHostsMessageFiles) {
    auto contact = Create<ol::IContactItem>(ol::olContactItem);
    contact->SetFullName("Dan Kund");
    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { outlook->CreateItemFromTemplate("t.msg"); }, [&] { contact->ForwardAsVcard(); },
             [&] { mail->AddBusinessCard(contact); }, [&] { mail->SaveAs("m.msg", ol::olMSG); }}) {
        EXPECT_EQ(ErrorOf(call), errors::kNotAvailable);
    }
}

TEST_F(ProgramTest, TheViewControlShowsAFolderAndMakesNewItems) {
    const auto control = As<ol::IViewControl>(factory.Create(ol::kViewControlProgId));
    ASSERT_TRUE(control);
    const auto calendar = Folder(ol::olFolderCalendar);
    control->SetFolder(text::LCase(calendar->FolderPath()));
    EXPECT_EQ(control->Folder(), calendar->FolderPath());
    EXPECT_EQ(control->View(), "Calendar");
    control->SetView("List");
    EXPECT_EQ(control->ViewXML(), calendar->Views()->Item("List")->XML());
    EXPECT_EQ(ErrorOf([&] { control->SetViewXML("<view"); }), errors::kInvalidArgument);
    EXPECT_EQ(ErrorOf([&] { control->SetFolder("\\\\Mailbox - Anna Berg\\Nothing"); }), errors::kNotFound);
    control->NewAppointment();
    const auto inspector = outlook->ActiveInspector();
    ASSERT_TRUE(inspector);
    user->Type(inspector, "Subject", Variant("From the pane"));
    user->Close(inspector, true);
    EXPECT_EQ(calendar->Items()->Find("[Subject] = 'From the pane'")->MessageClass(), "IPM.Appointment");
}

}  // namespace
}  // namespace ostrellix::standin::outlook
