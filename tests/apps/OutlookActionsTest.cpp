#include "apps/ostrellix/OutlookActions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "apps/ostrellix/ActionEffects.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "sync/Synchronizer.h"
#include "tests/apps/ActionsFixture.h"

namespace ostrellix::host {
namespace {

using addin::Globals;

// A fresh host per action has Outlook started before the client.
class OutlookActionsTest : public ActionsFixture {
protected:
    int Outlook(std::vector<std::string> args) {
        auto setup = NewSetup(true);
        setup.messageBoxPolicy = answers;
        return RunAction<OutlookActions>("outlook", std::move(args), std::move(setup), [&](Host& host) {
            for (const std::string& event : claimed) host.TheMachine().KeloApp().ScriptEvents().Claim(event);
        });
    }
    ::testing::AssertionResult Runs(std::vector<std::string> args) { return Ok(Outlook(std::move(args)), error); }

    // The EntryID of the item an action reported as made.
    std::string MadeId() {
        std::smatch match;
        const std::string text = out.str();
        EXPECT_TRUE(std::regex_search(text, match, std::regex("item made: ([0-9A-F]+) "))) << text;
        return match.size() > 1 ? match[1].str() : std::string();
    }

    // The number after the text in what an action printed, or 0.
    std::int32_t NumberAfter(const std::string& text) {
        std::smatch match;
        const std::string printed = out.str();
        if (!std::regex_search(printed, match, std::regex(text + "([0-9]+)"))) return 0;
        return std::stoi(match[1].str());
    }

    // How sent mail is saved; `internal` -1 also saves mail to internal recipients, 0 does not.
    void SetCapture(std::int16_t mode, std::int16_t internal = 0) {
        const auto host = StartedHost();
        Globals::Options()->SetSaveOutgoingMailFromOutlookMode(mode);
        Globals::Options()->SetSaveOutgoingInternalMail(internal);
    }

    // The subject of a document record in a fresh run, or what failed to load it.
    std::string StoredDocument(std::int32_t id) {
        const auto host = StartedHost();
        auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
        std::string comment = "no document " + std::to_string(id);
        IgnoreErrors([&] {
            record->Load(Globals::Application()->Classes()->FindByName("document"), id);
            comment = record->Text("comment");
        });
        return comment;
    }

    // Events a script of the client handles (and so claims) in each run.
    std::vector<std::string> claimed;
    standin::system::ConsoleMessageBox::Policy answers = standin::system::ConsoleMessageBox::Policy::DefaultButton;
};

TEST_F(OutlookActionsTest, ReceivedMailIsListedAndShown) {
    const auto attachment = folder.Path() / "order.txt";
    std::ofstream(attachment) << "two pallets";
    ASSERT_TRUE(Runs({"receive", "--from", "maria@nordvik.example", "--from-name", "Maria Sjöberg", "--subject",
                      "Spring order", "--body", "Please confirm.", "--attach", attachment.string()}));
    EXPECT_TRUE(Says("Received in the Inbox: "));
    const std::string id = MadeId();
    EXPECT_TRUE(Says("item made: " + id + " mail \"Spring order\" in Inbox"));

    ASSERT_TRUE(Runs({"list"}));
    EXPECT_TRUE(Says("Inbox (\\\\Mailbox - Anna Lindqvist\\Inbox): 1 item", id + "  mail  \"Spring order\"",
                     "No record or item changed, and no message was shown."));

    ASSERT_TRUE(Runs({"show", id}));
    EXPECT_TRUE(Says("Subject: Spring order", "SenderName: Maria Sjöberg", "SenderEmailAddress: maria@nordvik.example",
                     "To: Anna Lindqvist", "Body: Please confirm.", "Attachment: order.txt"));
}

TEST_F(OutlookActionsTest, ComposedMailIsSavedInDraftsOrSent) {
    ASSERT_TRUE(Runs({"compose", "--to", "erik.holm@demo.example", "--subject", "Draft only"}));
    const std::string draft = MadeId();
    EXPECT_TRUE(Says("Saved in Drafts: " + draft));
    ASSERT_TRUE(Runs({"compose", "--to", "erik.holm@demo.example", "--cc", "maria@nordvik.example", "--subject",
                      "Off it goes", "--body", "Hello", "--send"}));
    EXPECT_TRUE(Says("Sent \"Off it goes\" to erik.holm@demo.example", "mail \"Off it goes\" in Sent Items"));

    ASSERT_EQ(Outlook({"list", "drafts"}), 0);
    EXPECT_TRUE(Says(draft + "  mail  \"Draft only\""));
    EXPECT_FALSE(Says("Off it goes"));
    ASSERT_EQ(Outlook({"list", "Sent Items"}), 0);
    EXPECT_TRUE(Says("\"Off it goes\""));
}

TEST_F(OutlookActionsTest, EditKeepsChangesOnlyWhenSaved) {
    ASSERT_TRUE(Runs({"receive", "--from", "maria@nordvik.example", "--subject", "Before"}));
    const std::string id = MadeId();
    ASSERT_TRUE(Runs({"edit", id, "--set", "Subject=After"}));
    EXPECT_TRUE(Says("Not saved: the changes were discarded", "No record or item changed"));
    ASSERT_EQ(Outlook({"show", id}), 0);
    EXPECT_TRUE(Says("Subject: Before"));

    ASSERT_TRUE(Runs({"edit", id, "--set", "Subject=After", "--set", "Categories=Orders", "--save"}));
    EXPECT_TRUE(Says("item changed: " + id + " mail \"After\" in Inbox"));
    ASSERT_EQ(Outlook({"show", id}), 0);
    EXPECT_TRUE(Says("Subject: After", "Categories: Orders"));
}

TEST_F(OutlookActionsTest, DatesAreTypedIntoAppointments) {
    std::string id;
    {
        auto host = StartedHost();
        const auto appointment = Cast<outlook::IAppointmentItem>(Globals::Outlook()->CreateItem(outlook::olAppointmentItem));
        appointment->SetSubject("Review");
        appointment->Save();
        id = appointment->EntryID();
    }
    ASSERT_TRUE(Runs({"edit", id, "--set", "Start=2024-06-03 10:30", "--set", "Location=Room 2", "--save"}));
    ASSERT_EQ(Outlook({"show", id}), 0);
    EXPECT_TRUE(Says("Start: 2024-06-03 10:30:00", "Location: Room 2"));
    // What the program refuses is the user's mistake; nothing is changed.
    EXPECT_EQ(Outlook({"edit", id, "--set", "Start=next monday", "--save"}), 2);
    EXPECT_EQ(error, "Start takes a date, YYYY-MM-DD hh:mm: \"next monday\" is not one");
    EXPECT_EQ(Outlook({"edit", id, "--set", "Colour=red"}), 2);
    EXPECT_EQ(error, "A appointment has no property Colour");
    EXPECT_EQ(Outlook({"edit", id, "--set", "Subject"}), 2);
}

TEST_F(OutlookActionsTest, DeleteMovesToDeletedItemsThenDeletesForGood) {
    ASSERT_EQ(Outlook({"receive", "--from", "maria@nordvik.example", "--subject", "Old news"}), 0);
    const std::string id = MadeId();
    ASSERT_TRUE(Runs({"delete", id}));
    EXPECT_TRUE(Says("Deleted " + id + " from Inbox", "item moved: " + id + " mail \"Old news\" in Deleted Items"));
    ASSERT_EQ(Outlook({"list"}), 0);
    EXPECT_TRUE(Says("0 items"));
    ASSERT_EQ(Outlook({"list", "Deleted Items"}), 0);
    EXPECT_TRUE(Says(id));

    ASSERT_TRUE(Runs({"delete", id}));
    EXPECT_TRUE(Says("item deleted: " + id + " from Deleted Items"));
    EXPECT_EQ(Outlook({"show", id}), 1);
    EXPECT_EQ(error, "There is no item with EntryID " + id);
}

TEST_F(OutlookActionsTest, OpenListsTheButtonsAndRefusesAnUnknownTag) {
    ASSERT_EQ(Outlook({"receive", "--from", "maria@nordvik.example", "--subject", "Look at me"}), 0);
    const std::string id = MadeId();
    ASSERT_TRUE(Runs({"open", id}));
    EXPECT_TRUE(Says("Window \"Look at me", "SaveMailToKelo"));
    EXPECT_EQ(Outlook({"open", id, "--click", "NoSuchTag"}), 2);
    EXPECT_NE(error.find("The window has no button tagged \"NoSuchTag\" (its tags: SaveMailToKelo"), std::string::npos)
        << error;
}

TEST_F(OutlookActionsTest, SaveButtonFilesTheMailOnlyWhenItsWindowIsSaved) {
    ASSERT_EQ(Outlook({"receive", "--from", "maria@nordvik.example", "--subject", "File me"}), 0);
    const std::string id = MadeId();

    ASSERT_EQ(Outlook({"open", id, "--click", "SaveMailToKelo"}), 0) << error << out.str();
    EXPECT_TRUE(Says("Clicked SaveMailToKelo", "Record window opened, not saved: document (--save-windows saves it)"));
    EXPECT_FALSE(Says("record made:"));

    ASSERT_EQ(Outlook({"open", id, "--click", "SaveMailToKelo", "--save-windows"}), 0) << error << out.str();
    const std::int32_t document = NumberAfter("Record window opened and saved: document ");
    ASSERT_NE(document, 0) << out.str();
    EXPECT_TRUE(Says("record made: document " + std::to_string(document)));
    EXPECT_EQ(StoredDocument(document), "File me");
}

// What Send comes to in Kelo, by the option, the recipient and the user's answer.
TEST_F(OutlookActionsTest, SentMailIsFiledOrTheReasonIsTold) {
    using Policy = standin::system::ConsoleMessageBox::Policy;
    struct Case {
        std::int16_t mode;
        const char* to;
        Policy answers;
        bool saveWindows;
        const char* told;  // "" when a document is filed
    };
    const Case cases[] = {
        {2, "maria@nordvik.example", Policy::DefaultButton, true, ""},
        {2, "maria@nordvik.example; Erik Holm", Policy::DefaultButton, true, ""},
        {1, "maria@nordvik.example", Policy::Yes, true, ""},
        {2, "maria@nordvik.example", Policy::DefaultButton, false, "Not filed in Kelo: record window opened, not saved"},
        {2, "Erik Holm", Policy::DefaultButton, true,
         "Not filed in Kelo: the mail is to an internal recipient"},
        {1, "maria@nordvik.example", Policy::No, true, "Not filed in Kelo: the user declined to save it"},
        {0, "maria@nordvik.example", Policy::DefaultButton, true,
         "Not filed in Kelo: SaveOutgoingMailFromOutlookMode is 0: mail sent from Outlook is not saved"},
    };
    for (const Case& c : cases) {
        const std::string label = std::to_string(c.mode) + " " + c.to + " " + c.told;
        SetCapture(c.mode);
        answers = c.answers;
        std::vector<std::string> args = {"compose", "--to", c.to, "--subject", "Sent " + label, "--send"};
        if (c.saveWindows) args.push_back("--save-windows");
        ASSERT_EQ(Outlook(args), 0) << label << ": " << error << out.str();
        answers = Policy::DefaultButton;
        EXPECT_TRUE(Says("Sent \"Sent " + label + "\""));
        if (*c.told != 0) {
            EXPECT_TRUE(Says(c.told)) << label << "\n" << out.str();
            EXPECT_FALSE(Says("record made:")) << label << "\n" << out.str();
            continue;
        }
        const std::int32_t document = NumberAfter("Filed in Kelo: document ");
        ASSERT_NE(document, 0) << label << "\n" << out.str();
        EXPECT_TRUE(Says("Record window opened and saved: document " + std::to_string(document)));
        EXPECT_EQ(StoredDocument(document), "Sent " + label);
    }
}

// A script of the client takes the sent mail before the add-in files it
// ("MailSent"), or the filled record before it is shown ("NewMail").
TEST_F(OutlookActionsTest, SentMailTakenByAClientScriptIsNotFiled) {
    for (const auto& [event, how] : {std::pair{"MailSent", "custom pre-processing"},
                                     std::pair{"NewMail", "custom post-processing"}}) {
        SetCapture(2);
        claimed = {event};
        ASSERT_EQ(Outlook({"compose", "--to", "maria@nordvik.example", "--subject", "Taken", "--send",
                           "--save-windows"}),
                  0)
            << event << ": " << error;
        EXPECT_TRUE(Says(std::string("Not filed in Kelo: taken by a handler of the client (") + how + ")"));
        EXPECT_FALSE(Says("record made:"));
        EXPECT_FALSE(Says("Record window opened"));
    }
}

TEST_F(OutlookActionsTest, SentMailCaptureIsReportedToScripts) {
    SetCapture(2);
    ASSERT_EQ(Outlook({"compose", "--to", "Erik Holm", "--subject", "Internal", "--send", "--json"}), 0);
    const auto lines = JsonLines();
    ASSERT_GE(lines.size(), 2u) << json.str();
    EXPECT_EQ(lines[1], nlohmann::json({{"action", "capture"},
                                        {"filed", nlohmann::json::array()},
                                        {"reason", "the mail is to an internal recipient"}}));
}

TEST_F(OutlookActionsTest, JsonGivesOneObjectPerResultAndEffect) {
    ASSERT_EQ(Outlook({"receive", "--from", "maria@nordvik.example", "--subject", "For scripts", "--json"}), 0);
    auto lines = JsonLines();
    ASSERT_EQ(lines.size(), 2u) << json.str();
    EXPECT_EQ(lines[0]["action"], "receive");
    const std::string id = lines[0]["item"]["entryId"];
    EXPECT_EQ(lines[0]["item"]["folder"], "Inbox");
    EXPECT_EQ(lines[1], nlohmann::json({{"effect", "item"},
                                        {"change", "made"},
                                        {"entryId", id},
                                        {"kind", "mail"},
                                        {"subject", "For scripts"},
                                        {"folder", "Inbox"}}));

    ASSERT_EQ(Outlook({"list", "--json"}), 0);
    lines = JsonLines();
    ASSERT_EQ(lines.size(), 1u) << json.str();
    EXPECT_EQ(lines[0], nlohmann::json({{"entryId", id},
                                        {"kind", "mail"},
                                        {"subject", "For scripts"},
                                        {"folder", "Inbox"},
                                        {"marks", nlohmann::json::object()}}));
    EXPECT_TRUE(out.str().empty()) << "nothing but JSON on the results stream, and text only on the other";

    ASSERT_EQ(Outlook({"show", id, "--json"}), 0);
    lines = JsonLines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0]["properties"]["SenderEmailAddress"], "maria@nordvik.example");
    EXPECT_EQ(lines[0]["attachments"], nlohmann::json::array());
}

// What the add-in does on its own is reported: a record it stores, the
// marks it writes on an item, the boxes it shows, and an error it reports.
TEST_F(OutlookActionsTest, EffectsTellWhatTheAddinDid) {
    const auto host = StartedHost();
    const auto appointment = Globals::Outlook()->CreateItem(outlook::olAppointmentItem);
    appointment->SetSubject("Plan the summer");
    appointment->Save();

    ActionEffects effects(host->TheMachine());
    auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    record->New(Globals::Application()->Classes()->FindByName("todo"));
    record->SetValue("subject", Variant("Plan the summer"));
    Globals::Synchronizer()->EnableSynchronization(appointment, record);
    host->TheMachine().KeloApp().Boxes().QueueAnswer(win::mb::AnswerNo);
    addin::Tools::ShowMessage("Keep it?", win::mb::YesNo);
    EXPECT_FALSE(effects.ErrorReported());

    std::ostringstream text;
    effects.Print(text);
    EXPECT_EQ(text.str(), "record made: todo " + std::to_string(record->ID()) + "\nitem changed: " +
                              appointment->EntryID() + " appointment \"Plan the summer\" in Calendar\n" +
                              "message: \"Keep it?\", answered No\n");

    addin::Tools::ReportError(ComError(9999, "Ostrellix", "It went wrong"), "Test.Effects");
    EXPECT_TRUE(effects.ErrorReported());
}

TEST_F(OutlookActionsTest, RecordChangesRolledBackAreNotReported) {
    const auto host = StartedHost();
    ActionEffects effects(host->TheMachine());
    auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    record->New(Globals::Application()->Classes()->FindByName("todo"));
    record->SetValue("subject", Variant("Never stored"));
    EXPECT_TRUE(IgnoreErrors([&] {
        host->TheMachine().Kelo().Data()->Transact([&] {
            record->Update();
            throw ComError(errors::InvalidProcedureCall, "test", "changed my mind");
        });
    }));
    EXPECT_TRUE(effects.Records().empty());
}

#ifdef OSTRELLIX_PROGRAM
// The program itself: usage errors are one line and exit 2; an unknown EntryID exits 1.
TEST_F(OutlookActionsTest, TheProgramTellsMistakesFromFailures) {
    for (const char* mistake : {"outlook", "outlook fly", "outlook show", "outlook receive --subject S",
                                "outlook list --colour red"}) {
        const auto [status, errors] = RunOstrellix(mistake);
        EXPECT_EQ(status, 2) << mistake;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << mistake << ": " << errors;
    }
    EXPECT_EQ(RunOstrellix("outlook list Nowhere").first, 2);
    EXPECT_EQ(RunOstrellix("outlook show 00DEADBEEF").first, 1);
    EXPECT_EQ(RunOstrellix("outlook --help").first, 0);
    EXPECT_EQ(RunOstrellix("outlook edit --help").first, 0);
}

// A workspace whose Outlook runs in another program is refused whole, and
// that program's store goes on as before.
TEST_F(OutlookActionsTest, TheProgramIsRefusedAStoreInUseElsewhere) {
    ASSERT_TRUE(Runs({"receive", "--from", "maria@nordvik.example", "--subject", "Held"}));
    const std::string held = MadeId();
    const auto host = StartedHost();
    const auto [status, errors] = RunOstrellix("outlook list");
    EXPECT_EQ(status, 1);
    EXPECT_NE(errors.find("is in use by another program"), std::string::npos) << errors;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << errors;
    EXPECT_TRUE(host->TheMachine().StartOutlook()->Session()->GetItemFromID(held));
}
#endif

}  // namespace
}  // namespace ostrellix::host
