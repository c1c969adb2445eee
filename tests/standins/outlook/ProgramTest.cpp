#include <gtest/gtest.h>

#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "contracts/outlook/IViewControl.h"
#include "contracts/win/IShell.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MapiLogon.h"
#include "standins/outlook/MessageFiles.h"
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
    EXPECT_EQ(outlook->Version(), "16.0.0.0");
    EXPECT_TRUE(SameObject(outlook->GetNamespace("mapi"), session));
    EXPECT_EQ(ErrorOf([&] { outlook->GetNamespace("IMAP"); }), errors::kInvalidArgument);
    EXPECT_EQ(session->GetDefaultFolder(ol::olFolderInbox)->FolderPath(), "\\\\Mailbox - Anna Berg\\Inbox");
}

TEST_F(ProgramTest, AnOutlookThatQuitIsGoneForEveryoneHoldingIt) {
    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    mail->SetSubject("Kept");
    mail->Save();
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

class FileProgramTest : public ::testing::Test {
protected:
    // One run of the process, on the store file.
    struct Run : OutlookFixture {
        explicit Run(std::string file) : OutlookFixture(std::move(file)) {}
        void TestBody() override {}
    };

    ostrellix::testing::TempDirectory directory;
};

TEST_F(FileProgramTest, ItemsSurviveARestartOfTheProcess) {
    const std::string path = (directory.Path() / "Outlook.store").string();
    std::string id;
    {
        Run first(path);
        auto contact = first.outlook->CreateItem(ol::olContactItem);
        As<ol::IContactItem>(contact)->SetFullName("Dan Kund");
        contact->UserProperties()->Add("KeloID", ol::olText, true)->SetValue(Variant("person:12"));
        contact->Save();
        id = contact->EntryID();
    }
    Run second(path);
    const auto contact = As<ol::IContactItem>(second.session->GetItemFromID(id));
    ASSERT_TRUE(contact);
    EXPECT_EQ(contact->FullName(), "Dan Kund");
    EXPECT_EQ(second.Folder(ol::olFolderContacts)->Items()->Find("[KeloID] = 'person:12'")->EntryID(), id);
}

// Message files as the host provides them: here a recorder.
class RecordingFiles : public MessageFiles {
public:
    message::MessageData ReadMsg(const std::string& path, const message::MessageFileHost&) override {
        message::MessageData data;
        data.properties.Set(message::tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
        data.properties.Set(message::tag::PR_SUBJECT, Variant("From " + path));
        data.properties.Set(message::tag::PR_MESSAGE_FLAGS, Variant(1));
        return data;
    }
    void WriteMsg(const message::MessageData& message, const std::string& path,
                  const message::MessageFileHost&) override {
        written.emplace_back(path, message.properties.GetValue(message::tag::PR_SUBJECT).ToString());
    }
    std::string ContactVcard(const message::MessageData& contact) override {
        return "BEGIN:VCARD\r\nFN:" + contact.properties.GetValue(message::tag::PR_DISPLAY_NAME).ToString() +
               "\r\nEND:VCARD\r\n";
    }
    std::vector<std::pair<std::string, std::string>> written;
};

TEST_F(ProgramTest, MessageFileMembersNeedTheHostsMessageFiles) {
    auto contact = Create<ol::IContactItem>(ol::olContactItem);
    contact->SetFullName("Dan Kund");
    auto mail = Create<ol::IMailItem>(ol::olMailItem);
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { outlook->CreateItemFromTemplate("t.msg"); }, [&] { contact->ForwardAsVcard(); },
             [&] { mail->AddBusinessCard(contact); }, [&] { mail->SaveAs("m.msg", ol::olMSG); }}) {
        EXPECT_EQ(ErrorOf(call), errors::kNotAvailable);
    }

    outlook->Quit();
    RecordingFiles files;
    OutlookProgram withFiles(factory, *system, *profile, &files);
    const auto started = withFiles.Start();
    contact = As<ol::IContactItem>(started->CreateItem(ol::olContactItem));
    contact->SetFullName("Dan Kund");
    const auto card = As<ol::IMailItem>(contact->ForwardAsVcard());
    EXPECT_EQ(card->Subject(), "Dan Kund");
    ASSERT_EQ(card->Attachments()->Count(), 1);
    EXPECT_EQ(card->Attachments()->Item(1)->FileName(), "Dan Kund.vcf");
    const auto fromTemplate = As<ol::IMailItem>(started->CreateItemFromTemplate("offer.msg"));
    EXPECT_EQ(fromTemplate->Subject(), "From offer.msg");
    EXPECT_FALSE(fromTemplate->Sent()) << "a template makes a new mail";
    EXPECT_EQ(fromTemplate->EntryID(), "");
    fromTemplate->SaveAs("copy.msg", ol::olMSG);
    EXPECT_EQ(files.written, (std::vector<std::pair<std::string, std::string>>{{"copy.msg", "From offer.msg"}}));
}

TEST_F(ProgramTest, TheViewControlShowsAFolderAndMakesNewItems) {
    const auto control = As<ol::IViewControl>(factory.Create(ol::kViewControlProgId));
    ASSERT_TRUE(control);
    EXPECT_EQ(control->Folder(), "");
    const auto calendar = Folder(ol::olFolderCalendar);
    control->SetFolder(text::LCase(calendar->FolderPath()));
    EXPECT_EQ(control->Folder(), calendar->FolderPath());
    EXPECT_EQ(control->View(), "Calendar");
    control->SetView("List");
    EXPECT_EQ(control->ViewXML(), calendar->Views()->Item("List")->XML());
    control->SetViewXML("<view/>");
    EXPECT_EQ(control->ViewXML(), "<view/>");
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
