#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IDTExtensibility2.h"
#include "contracts/kelo/IOptionsPage.h"
#include "contracts/kelo/IView.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/ConfigurationDialog.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/engine/Log.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

// An add-in that notes what the client does with it, and adds a page to
// the options dialog.
class RecordingAddin final : public ostrellix::kelo::IDTExtensibility2 {
public:
    explicit RecordingAddin(std::vector<std::string>& journal) : journal_(journal) {}

    void OnConnection(const ObjectPtr& application, std::int32_t mode, const Ptr<ostrellix::kelo::IAddInInstance>& instance,
                      Variant&) override {
        app_ = As<ostrellix::kelo::IApplication>(application);
        journal_.push_back("connect " + std::to_string(mode));
        instance->SetObject(SelfAs<Object>());
        app_->SetAddinProgID("Test.Addin");
        started_ = app_->Events().StartUpComplete.Connect([this] { journal_.push_back("startup event"); });
        stopped_ = app_->Events().ShutDown.Connect([this] { journal_.push_back("shutdown event"); });
        configure_ = app_->Events().BeforeConfigure.Connect([this](const ObjectPtr& dialog) {
            As<ostrellix::kelo::IConfigurationDialog>(dialog)->AddPage(std::make_shared<Page>(journal_));
        });
    }
    void OnDisconnection(std::int32_t mode, Variant&) override {
        journal_.push_back("disconnect " + std::to_string(mode));
        app_ = nullptr;
    }
    void OnAddInsUpdate(Variant&) override {}
    void OnStartupComplete(Variant&) override { journal_.push_back("startup complete"); }
    void OnBeginShutdown(Variant&) override { journal_.push_back("begin shutdown"); }

private:
    class Page final : public ostrellix::kelo::IOptionsPage {
    public:
        explicit Page(std::vector<std::string>& journal) : journal_(journal) {}
        std::string Caption() override { return "Outlook"; }
        ObjectPtr Icon() override { return nullptr; }
        std::string Description() override { return {}; }
        bool Dirty() override { return false; }
        void Activate() override { journal_.push_back("page activated"); }
        void Deactivate() override {}
        void Apply() override { journal_.push_back("page applied"); }
        void Cancel() override {}

    private:
        std::vector<std::string>& journal_;
    };

    std::vector<std::string>& journal_;
    Ptr<ostrellix::kelo::IApplication> app_;
    Connection started_, stopped_, configure_;
};

class ClientTest : public KeloFixture {
protected:
    ClientTest() {
        factory.Register("Test.Addin", [this] { return std::make_shared<RecordingAddin>(journal); });
    }
    std::vector<std::string> journal;
};

TEST_F(ClientTest, AddinsAreLoadedStartedAndStoppedAsTheClientDoes) {
    client.LoadAddin("Test.Addin");
    client.Start();
    const auto window = user.OpenRecord("person", IdOf("person", "lastname", Variant("Ek")));
    bool closed = false;
    Connection close = window->Events().AfterClose.Connect([&] { closed = true; });
    const auto options = user.OpenOptions();
    options->Apply();
    client.Shutdown();
    EXPECT_TRUE(closed);
    EXPECT_EQ(journal, (std::vector<std::string>{"connect 1", "startup event", "startup complete", "page activated",
                                                 "page applied", "shutdown event", "begin shutdown", "disconnect 0"}));
    EXPECT_THROW(client.LoadAddin("QVR.Pool"), ComError);  // not an add-in
}

TEST_F(ClientTest, AClientThatGoesAwayShutsItsAddinsDown) {
    {
        KeloClient second(factory, system, ClientSetup());
        second.LoadAddin("Test.Addin");
        second.Start();
    }
    EXPECT_EQ(journal.back(), "disconnect 0");
    EXPECT_NE(std::find(journal.begin(), journal.end(), "shutdown event"), journal.end());
    // Its classes went with it; this client's are registered again by nobody.
    EXPECT_FALSE(factory.IsRegistered("QVR.Record"));
}

TEST_F(ClientTest, TheUserUnloadsAnAddin) {
    client.LoadAddin("Test.Addin");
    client.UnloadAddin("test.addin");
    EXPECT_EQ(journal.back(), "disconnect 1");
    EXPECT_THROW(client.UnloadAddin("Test.Addin"), ComError);
}

TEST_F(ClientTest, TheClientsClassesAreRegisteredWhileItRuns) {
    for (const std::string& progId : KeloClient::ProgIDs()) {
        EXPECT_TRUE(App().CreateObject(progId)) << progId;
    }
    EXPECT_TRUE(Is<ostrellix::kelo::IRecord>(App().CreateObject("qvr.record")));
    EXPECT_THROW(App().CreateObject("QVR.Nothing"), ComError);
}

TEST_F(ClientTest, DatabaseUsersAndNamedValues) {
    EXPECT_EQ(App().ActiveUser()->Record()->Descriptive(), "Anna Lindqvist");
    EXPECT_EQ(App().FindUser("erik holm")->Record()->Text("lastname"), "Holm");
    EXPECT_EQ(App().FindUser("Administrator")->Record(), nullptr);
    EXPECT_EQ(App().FindUser("Nobody"), nullptr);
    App().SetValue("Ostrellix.Instance", Variant(42));
    EXPECT_EQ(App().Value("ostrellix.instance").ToLong(), 42);
    EXPECT_TRUE(App().Value("Unknown").IsEmpty());
    EXPECT_EQ(App().Text("AllowExport"), "Allow records to be exported to other programs");
    EXPECT_EQ(App().Text("NoSuchKey"), "NoSuchKey");
}

TEST_F(ClientTest, HostEventsCarryParametersAndHandlersMayClaimThem) {
    App().ScriptEvents().Claim("NewMail");
    std::string seen;
    Connection watch = App().ScriptEvents().On("*", [&](HostEvents::Raised& event) {
        seen = event.name + ":" + event.Parameter("FileName").ToString();
    });
    App().ClearEventParameters();
    App().SetEventParameter("FileName", Variant("a.msg"));
    App().RaiseEvent("Ostrellix", "DropFile");
    EXPECT_FALSE(App().EventResult());
    EXPECT_EQ(seen, "DropFile:a.msg");
    App().ClearEventParameters();
    App().RaiseEvent("Ostrellix", "NewMail");
    EXPECT_TRUE(App().EventResult());
    EXPECT_EQ(App().ScriptEvents().History().size(), 2u);
    EXPECT_EQ(App().ScriptEvents().History()[0].source, "Ostrellix");
}

TEST_F(ClientTest, RecordLinksAndTheLinkMail) {
    const auto maria = Load("person", IdOf("person", "lastname", Variant("Sjöberg")));
    EXPECT_EQ(App().Link(maria, ostrellix::kelo::linkkind::Desktop),
              "kelo://localhost/Kelo/person/" + std::to_string(maria->ID()));
    EXPECT_EQ(App().Link(maria, ostrellix::kelo::linkkind::Web),
              "https://localhost/kelo/Kelo/person/" + std::to_string(maria->ID()));
    EXPECT_THROW(App().Link(NewRecord("person"), 1), ComError);
    EXPECT_THROW(App().Link(maria, 3), ComError);

    const auto list = user.OpenList("person");
    user.Select(list, {maria->ID(), IdOf("person", "lastname", Variant("Ek"))});
    App().SendLinks(Variant(list), "Contacts", Variant("a@x.se; b@x.se"), nullptr, 0, ostrellix::kelo::linkkind::Both);
    ASSERT_EQ(App().LinkMails().size(), 1u);
    const LinkMail& mail = App().LinkMails().back();
    EXPECT_EQ(mail.recipients, (std::vector<std::string>{"a@x.se", "b@x.se"}));
    ASSERT_EQ(mail.entries.size(), 2u);
    EXPECT_EQ(mail.entries[0].descriptive, "Maria Sjöberg");
    EXPECT_EQ(mail.entries[0].links.size(), 2u);
    EXPECT_THROW(App().SendLinks(Variant("text"), "", Variant(), nullptr, 0, 1), ComError);

    // A list window without a selection stands for its active entry; a record window for its record.
    user.Select(list, {});
    user.SetActiveItem(list, maria->ID());
    App().SendLinks(Variant(list), "", Variant(VariantArray{Variant(" c@x.se "), Variant("")}), nullptr, 0, 2);
    EXPECT_EQ(App().LinkMails().back().recipients, std::vector<std::string>{"c@x.se"});
    ASSERT_EQ(App().LinkMails().back().entries.size(), 1u);
    EXPECT_EQ(App().LinkMails().back().entries[0].links,
              std::vector<std::string>{App().Link(maria, ostrellix::kelo::linkkind::Web)});
    App().SendLinks(Variant(list->List()), "", Variant(), nullptr, 0, 1);
    EXPECT_EQ(App().LinkMails().back().entries[0].descriptive, "Maria Sjöberg");
}

TEST_F(ClientTest, PanesHostControlsMadeByProgIdAndKeepNamedProperties) {
    const auto panes = App().Panes();
    const auto icon = App().Images()->Item("appointment", 24);
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->Width(), 24);
    EXPECT_EQ(App().Images()->Item("APPOINTMENT", 20), nullptr);
    const auto pane = panes->Add("Calendar", icon, "QVR.View", 12);
    EXPECT_TRUE(Is<ostrellix::kelo::IView>(pane->Control()));
    pane->SetProperty("OutlookPane", Variant(true));
    panes->Add("Other", nullptr, "QVR.Pool", 12);
    EXPECT_EQ(panes->Count(), 2);
    EXPECT_TRUE(panes->Item(1)->Property("outlookpane").ToBoolean());
    EXPECT_TRUE(panes->Item(2)->Property("OutlookPane").IsEmpty());
    panes->Remove(1);
    EXPECT_EQ(panes->Item(1)->Caption(), "Other");
    EXPECT_TRUE(panes->Active());
    EXPECT_THROW(panes->Add("Broken", nullptr, "No.Such.Control", 12), ComError);
    EXPECT_EQ(panes->Count(), 1);
}

TEST_F(ClientTest, UtilitiesWorkInTheWorkingFolderAndKnowTheKeys) {
    const auto utility = App().Utility();
    EXPECT_EQ(utility->WorkingFolder(), (dir.Path() / "work").string());
    const std::string log = utility->BuildPath(utility->WorkingFolder(), "Ostrellix.log");
    utility->AppendToFile(log, "one");
    utility->AppendToFile(log, "two");
    EXPECT_TRUE(utility->FileExists(log));
    EXPECT_EQ(utility->GetExtension("mail.MSG"), "MSG");
    EXPECT_EQ(utility->GetExtension("noextension"), "");
    EXPECT_NE(utility->UniqueName(), utility->UniqueName());
    EXPECT_EQ(utility->NewGuid().size(), 38u);
    EXPECT_TRUE(std::filesystem::is_directory(utility->TempPath()));
    EXPECT_FALSE(utility->IsKeyDown(17));
    bool held = false;
    user.PressKeyDuring(17, [&] { held = utility->IsKeyDown(17); });
    EXPECT_TRUE(held);
    EXPECT_FALSE(utility->IsKeyDown(17));
}

TEST_F(ClientTest, MessageBoxesAreAnsweredFromTheQueueThenThePolicy) {
    user.QueueAnswers({7});
    EXPECT_EQ(App().MessageBox("Export?", 36), 7);
    user.SetAnswerPolicy(MessageBoxes::Policy::Yes);
    EXPECT_EQ(App().MessageBox("Export?", 36), 6);
    user.SetAnswerPolicy(std::nullopt);
    EXPECT_EQ(App().MessageBox("Note", 64), 1);  // the platform box's default button
    ASSERT_EQ(App().Boxes().History().size(), 3u);
    EXPECT_EQ(App().Boxes().History()[0].text, "Export?");
    EXPECT_EQ(App().Boxes().History()[0].answer, 7);
}

TEST_F(ClientTest, TheLogKeepsEntriesWithTheirTime) {
    App().Log()->Add(ostrellix::kelo::logtype::Progress, "Ostrellix", "Synchronize", "", "Starting full synchronization.");
    const auto entries = std::static_pointer_cast<kelo::Log>(App().Log())->Entries(1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].type, 4);
    EXPECT_EQ(entries[0].location, "Synchronize");
    EXPECT_EQ(entries[0].time, clock->Now());
}

}  // namespace
}  // namespace ostrellix::standin::kelo
