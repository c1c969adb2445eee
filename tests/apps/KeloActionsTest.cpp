#include "apps/ostrellix/KeloActions.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <optional>
#include <regex>
#include <sstream>

#include "apps/ostrellix/LogCommand.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/engine/DocumentTemplate.h"
#include "tests/apps/ActionsFixture.h"
#include "tests/support/FileText.h"

namespace ostrellix::host {
namespace {

using Policy = standin::system::ConsoleMessageBox::Policy;

// A fresh host per action has Outlook already running; message boxes are
// answered by `policy`.
class KeloActionsTest : public ActionsFixture {
protected:
    int Kelo(std::vector<std::string> args, Policy policy = Policy::DefaultButton) {
        auto setup = NewSetup(true);
        setup.messageBoxPolicy = policy;
        std::istringstream input(typed.value_or(""));
        if (typed) {
            setup.input = &input;
            setup.inputIsTerminal = true;
        }
        return RunAction<KeloActions>("kelo", std::move(args), std::move(setup));
    }
    ::testing::AssertionResult Runs(std::vector<std::string> args, Policy policy = Policy::DefaultButton) {
        return Ok(Kelo(std::move(args), policy), error);
    }

    // The add-in's entries in the Kelo log.
    std::string Log() {
        const auto host = NewHost();
        LogCommand::Run(*host, 0);
        return out.str();
    }

    // Changes the add-in's options as a host of its own, before the next action.
    template <class Change>
    void SetOptions(Change change) {
        const auto host = StartedHost(false);
        change(addin::Globals::Options());
    }

    // What the user types at the terminal; no terminal when unset.
    std::optional<std::string> typed;
};

TEST_F(KeloActionsTest, SynchronizeAsksToActivateThenRunsFullOrPartial) {
    ASSERT_TRUE(Runs({"synchronize"}, Policy::No));
    EXPECT_TRUE(Says("Do you want to activate it now?\", answered No"));
    EXPECT_EQ(Log().find("synchronization."), std::string::npos) << out.str();

    ASSERT_TRUE(Runs({"synchronize"}, Policy::Yes));
    EXPECT_TRUE(Says("answered Yes"));
    EXPECT_NE(Log().find("Starting full synchronization."), std::string::npos) << out.str();
    // A partial run needs both time stamps of an earlier run.
    SetOptions([](const auto& options) {
        options->SetOutlookTimestamp(Date::FromParts(2024, 5, 1));
        options->SetKeloTimestamp(Date::FromParts(2024, 5, 1));
    });
    // Activated now: no question, and Ctrl makes the run a partial one.
    ASSERT_TRUE(Runs({"synchronize", "--partial"}, Policy::No));
    EXPECT_FALSE(Says("message:"));
    EXPECT_NE(Log().find("Starting partial synchronization."), std::string::npos) << out.str();
}

TEST_F(KeloActionsTest, EditSavesTheRecordAndRefusesWhatItCannotType) {
    ASSERT_TRUE(Runs({"edit", "--context", "todo:1", "--set", "subject=Call Maria on Monday", "--set",
                      "start=2024-05-06 10:00"}));
    EXPECT_TRUE(Says("Saved todo 1", "record changed: todo 1"));

    for (const auto& [setting, message] : std::vector<std::pair<std::string, std::string>>{
             {"colour=red", "A todo has no field colour"},
             {"start=someday", "start takes a date, YYYY-MM-DD hh:mm: \"someday\" is not one"},
             {"subject", "--set takes FIELD=VALUE, not \"subject\""}}) {
        EXPECT_EQ(Kelo({"edit", "--context", "todo:1", "--set", "subject=Never stored", "--set", setting}), 2)
            << setting;
        EXPECT_EQ(error, message);
        EXPECT_FALSE(Says("record changed"));
    }
    EXPECT_EQ(Kelo({"edit", "--context", "todo:99", "--set", "subject=x"}), 2);
    EXPECT_EQ(Kelo({"edit", "--context", "todo", "--set", "subject=x"}), 2);
    EXPECT_EQ(error, "--context takes CLASS:ID, for example person:3, not \"todo\"");
}

TEST_F(KeloActionsTest, BookingsPrintTheRecordFiledTheMarksTheAttendeesAndTheirInboxes) {
    ASSERT_TRUE(Runs({"new-appointment", "--context", "person:1", "--subject", "Visit Nordvik", "--save-close"}));
    EXPECT_TRUE(Says("Filed in Kelo: todo 3 \"Visit Nordvik\", person Maria Sjöberg, company Nordvik Trading AB",
                     "KeloID=todo:3"));

    ASSERT_TRUE(Runs({"new-task", "--context", "person:1", "--discard"}));
    EXPECT_TRUE(Says("Not filed in Kelo: closed without saving"));

    ASSERT_TRUE(Runs({"new-meeting", "--context", "coworker:2", "--subject", "Planning", "--send"}));
    EXPECT_TRUE(Says("Attendee: Erik Holm <", "The meeting is in \\\\Mailbox - Anna Lindqvist\\Calendar",
                     "delivered to \\\\Mailbox - Erik Holm\\Inbox"));

    SetOptions([](const auto& options) { options->SetMeetingOrganizer("Erik Holm"); });
    ASSERT_TRUE(Runs({"new-meeting", "--context", "person:1", "--organizer", "cancel"}));
    EXPECT_TRUE(Says("No meeting booked", "answered Cancel"));
    ASSERT_TRUE(Runs({"new-meeting", "--context", "person:1", "--organizer", "no", "--discard"}));
    EXPECT_TRUE(Says("The meeting is no longer stored"));
}

TEST_F(KeloActionsTest, ShowInOutlookOffersToExportARecordWithoutItem) {
    // A record without an Outlook item: the offer to export it, declined or taken.
    ASSERT_TRUE(Runs({"show-in-outlook", "--context", "person:1"}, Policy::No));
    EXPECT_TRUE(Says("answered No"));
    ASSERT_TRUE(Runs({"show-in-outlook", "--context", "person:1"}, Policy::Yes));
    EXPECT_TRUE(Says("contact \"Maria Sjöberg\" in Contacts"));
}

TEST_F(KeloActionsTest, ExportSendsARecordOrASelectionToOutlook) {
    const auto made = [&] { return Occurrences(out.str(), "item made: "); };
    ASSERT_TRUE(Runs({"export", "--context", "person:1"}));
    EXPECT_FALSE(Says("message: "));
    EXPECT_EQ(made(), 1);

    // Two records are confirmed first; No exports nothing.
    ASSERT_TRUE(Runs({"export", "--selection", "person:2,3"}, Policy::No));
    EXPECT_TRUE(Says("message: \"Export 2 people to Outlook?\""));
    EXPECT_EQ(made(), 0);
    ASSERT_TRUE(Runs({"send-to-outlook", "--selection", "person:2, 3"}, Policy::Yes));
    EXPECT_EQ(made(), 2);

    EXPECT_EQ(Kelo({"export"}), 2);
    EXPECT_EQ(Kelo({"export", "--context", "person:1", "--selection", "person:2"}), 2);
    EXPECT_EQ(Kelo({"export", "--selection", "person:2,x"}), 2);
}

TEST_F(KeloActionsTest, SendLinksShowsAMailOfLinks) {
    ASSERT_TRUE(Runs({"send-links", "--context", "person:1", "--to", "erik.holm@demo.example", "--cc",
                      "lena@tallbacka.com", "--bcc", "sofie.dahl@example.org"}));
    // A recipient from the address book goes in by its address there, as the add-in takes Address.
    EXPECT_TRUE(Says("Outlook shows a new mail, not saved yet:", "Subject: Link to Person: Maria Sjöberg",
                     "To: /o=Demo/ou=Administrative Group/cn=Recipients/cn=erik.holm", "CC: lena@tallbacka.com",
                     "BCC: sofie.dahl@example.org", "Link: kelo://localhost/kelo/person/1\n"));
    // Several records are the selection of a list window: one line each.
    ASSERT_TRUE(Runs({"send-links", "--records", "person:1,person:2", "--links", "both", "--subject", "Two contacts"}));
    EXPECT_TRUE(Says("Subject: Two contacts\n  Body: Maria Sjöberg: Desktop link, Web link  Johan Ek: Desktop link, "
                     "Web link  \n"
                     "  Link: kelo://localhost/kelo/person/1\n  Link: https://localhost/kelo/kelo/person/1\n"
                     "  Link: kelo://localhost/kelo/person/2\n  Link: https://localhost/kelo/kelo/person/2\n"));

    EXPECT_EQ(Kelo({"send-links", "--records", "person:1,company:1"}), 2);
    EXPECT_EQ(error, "send-links takes records of one class: person:1 and company:1");
    EXPECT_EQ(Kelo({"send-links"}), 2);
    EXPECT_EQ(Kelo({"send-links", "--context", "person:1", "--to", "Nobody Known"}), 2);
    EXPECT_EQ(error, "Outlook's address book does not know \"Nobody Known\"");
}

TEST_F(KeloActionsTest, NewMailTellsWhatWasSentAndWhatWasFiled) {
    const std::vector<std::string> mail = {"new-mail", "--context", "person:1", "--subject", "Spring offer",
                                           "--to", "maria.sjoberg@nordvik.se", "--save-windows"};
    const auto with = [&](const char* option) {
        auto args = mail;
        args.emplace_back(option);
        out.str("");
        return Kelo(args);
    };
    ASSERT_EQ(with("--press-send"), 0) << error;
    EXPECT_TRUE(Says("Sent \"Spring offer\"", "To: maria.sjoberg@nordvik.se",
                     "person Maria Sjöberg, company Nordvik Trading AB", "Drafts: 0 new; Sent Items: 1 new"));
    EXPECT_TRUE(std::regex_search(out.str(), std::regex("Filed in Kelo: document [0-9]+ \"Spring offer\""))) << out.str();

    ASSERT_EQ(with("--send"), 0) << error;
    EXPECT_TRUE(Says("Not filed in Kelo: sent by Send"));
    ASSERT_EQ(with("--no-display"), 0) << error;
    EXPECT_TRUE(Says("Not filed in Kelo: sent through the MAPI library", "Sent Items: 1 new"));

    out.str("");
    ASSERT_TRUE(Runs({"new-mail", "--context", "person:1"}));
    EXPECT_TRUE(Says("Outlook shows a new mail", "Not filed in Kelo: shown, not sent yet (--press-send sends it)"));
}

// A dropped message file is filed against the record; a reply answers it.
TEST_F(KeloActionsTest, ADroppedMailIsFiledAndRepliesAnswerIt) {
    const auto path = folder.Path() / "order.eml";
    std::ofstream(path, std::ios::binary) << "From: Maria Sjoberg <maria.sjoberg@nordvik.se>\r\n"
                                             "To: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
                                             "Subject: Spring order\r\n"
                                             "Date: Thu, 02 May 2024 10:00:00 +0000\r\n"
                                             "MIME-Version: 1.0\r\nContent-Type: text/plain\r\n\r\nHello Anna.\r\n";
    EXPECT_EQ(Kelo({"drop", (folder.Path() / "missing.eml").string()}), 1);
    ASSERT_TRUE(Runs({"drop", path.string(), "--context", "person:1"}));
    std::smatch made;
    const std::string dropped = out.str();
    ASSERT_TRUE(std::regex_search(dropped, made, std::regex("record made: document ([0-9]+)"))) << dropped;
    EXPECT_TRUE(Says("Spring order")) << dropped;
    out.str("");
    ASSERT_TRUE(Runs({"reply", "--context", "document:" + made[1].str(), "--send", "--save-windows"}));
    EXPECT_TRUE(Says("Sent \"RE: Spring order\"", "Filed in Kelo: document", "Drafts: 0 new"));
    // The demo's own document is a text file, no mail.
    EXPECT_EQ(Kelo({"forward", "--context", "document:1"}), 1);
    EXPECT_EQ(error, "Please select a stored mail and try again.") << error;
}

TEST_F(KeloActionsTest, TemplatesAreThoseOfferedForTheClassAndField) {
    {
        const auto host = NewHost();
        const auto& engine = host->TheMachine().Kelo().Data();
        standin::kelo::DocumentTemplate::Create(engine, "Welcome", "person", "msg", {});
        standin::kelo::DocumentTemplate::Create(engine, "Letter", "person", "docx", {});
        standin::kelo::DocumentTemplate::Create(engine, "Reminder", "person.email", "eml", {});
        standin::kelo::DocumentTemplate::Create(engine, "Quote", "company", "msg", {});
    }
    ASSERT_TRUE(Runs({"templates", "--class", "person"}));
    EXPECT_TRUE(Says("2 mail templates for person", "Welcome  .msg")) << "the demo's Offer and Welcome";
    ASSERT_TRUE(Runs({"templates", "--class", "person", "--field", "email"}));
    EXPECT_TRUE(Says("3 mail templates for person.email", "Reminder  .eml"));

    EXPECT_EQ(Kelo({"templates", "--class", "nobody"}), 2);
    EXPECT_EQ(Kelo({"templates", "--class", "person", "--field", "colour"}), 2);
}

TEST_F(KeloActionsTest, MailTemplatesBecomeMailsAndDocumentsThatOpenAndPrint) {
    ASSERT_TRUE(Runs({"mail-template", "--template", "Offer", "--context", "person:1"}));
    EXPECT_TRUE(Says("Outlook shows mail ", "Subject: Offer for Maria Sjöberg"));

    out.str("");
    ASSERT_TRUE(Runs({"new-document", "--template", "Offer", "--context", "person:1"}));
    std::smatch made;
    const std::string created = out.str();
    ASSERT_TRUE(std::regex_search(created, made, std::regex("record made: document ([0-9]+)"))) << created;
    EXPECT_TRUE(Says("The document's mail (Offer.msg):\n  Subject: Offer for Maria Sjöberg")) << created;
    const std::string id = made[1].str();

    // Outlook stores the save after announcing it: the document gets the mail as it was before the edit.
    out.str("");
    ASSERT_TRUE(Runs({"open-document", id, "--subject", "Changed", "--save"}));
    EXPECT_TRUE(Says("Subject: Offer for Maria Sjöberg\n", "Written back into the document:"));
    EXPECT_FALSE(Says("Subject: Changed"));
    ASSERT_TRUE(Runs({"open-document", id, "--subject", "Changed", "--json"}));
    nlohmann::json after;
    for (const auto& line : JsonLines()) {
        if (line.value("action", "") == "unchanged" || line.value("action", "") == "written-back") after = line;
    }
    EXPECT_EQ(after["action"], "unchanged") << json.str() << "closed without saving";
    EXPECT_EQ(after["subject"], "Offer for Maria Sjöberg");

    out.str("");
    ASSERT_TRUE(Runs({"print-document", id}));
    EXPECT_TRUE(Says("Printed: Offer for Maria Sjöberg"));

    EXPECT_EQ(Kelo({"new-document", "--template", "Nothing", "--context", "person:1"}), 2);
    EXPECT_EQ(error, "There is no document template \"Nothing\"");
    EXPECT_EQ(Kelo({"print-document", "1"}), 2) << "the demo's own document is a text file";
    EXPECT_EQ(error, "The add-in does not print .txt documents");
}

TEST_F(KeloActionsTest, PickRecipientPrintsTheNamePickedInOutlook) {
    ASSERT_TRUE(Runs({"pick-recipient", "--pick", "Erik Holm"}));
    EXPECT_TRUE(Says("Picked in Outlook: Erik Holm\n  Address: /o=Demo/", "  Address type: EX\n  EntryID: 0"));

    // An Internet address the book does not hold is taken as typed.
    ASSERT_TRUE(Runs({"pick-recipient", "--pick", "sofie.dahl@example.org", "--json"}));
    auto picked = JsonLines().front();
    EXPECT_EQ(picked["action"], "pick-recipient");
    EXPECT_FALSE(picked["picked"]["entryId"].get<std::string>().empty());
    picked["picked"].erase("entryId");
    EXPECT_EQ(picked["picked"], nlohmann::json({{"name", "sofie.dahl@example.org"},
                                                {"address", "sofie.dahl@example.org"},
                                                {"addressType", "SMTP"}}));

    // At a terminal the user types the name (a beginning is enough); elsewhere the dialog is cancelled.
    typed = "Anna\n";
    ASSERT_TRUE(Runs({"pick-recipient"}));
    EXPECT_TRUE(Says("the name to pick (empty: Cancel): Picked in Outlook: Anna Lindqvist"));
    typed.reset();
    for (const std::vector<std::string>& cancelled :
         {std::vector<std::string>{"pick-recipient", "--cancel"}, std::vector<std::string>{"pick-recipient"}}) {
        ASSERT_TRUE(Runs(cancelled));
        EXPECT_TRUE(Says("Nothing picked: the select-names dialog was cancelled"));
    }

    EXPECT_EQ(Kelo({"pick-recipient", "--pick", "Nobody Known"}), 2);
    EXPECT_EQ(error, "Outlook's address book has no one (or more than one) by the name \"Nobody Known\"");
}

TEST_F(KeloActionsTest, PanesFollowTheListThePanesDialogStores) {
    ASSERT_TRUE(Runs({"panes-dialog", "--add", "Tasks", "--show-calendar", "on", "--up", "Calendar"}));
    EXPECT_TRUE(Says("The Panes dialog was OK'd", "  Show: Calendar Tasks\n"));
    EXPECT_TRUE(Says("\\Calendar\n    \\\\")) << "Calendar moved up before Tasks";

    // The next start of the client shows them; the user works in one.
    ASSERT_TRUE(Runs({"panes", "--pane", "Calendar", "--arrangement", "month", "--json"}));
    const auto panes = JsonLines();
    ASSERT_EQ(panes.size(), 2u) << json.str();
    EXPECT_EQ(panes[0]["pane"], "Calendar");
    EXPECT_EQ(panes[0]["type"], "APPOINTMENT");
    EXPECT_EQ(panes[0]["view"], "Calendar");
    EXPECT_EQ(panes[0]["arrangement"], "month");
    EXPECT_EQ(panes[1]["pane"], "Tasks");
    EXPECT_EQ(panes[1]["arrangement"], "");
    ASSERT_TRUE(Runs({"panes"}));
    EXPECT_TRUE(Says("  Calendar  APPOINTMENT\n    Folder: \\\\"));
    EXPECT_TRUE(Says("    Calendar: month\n")) << "the arrangement is kept for the folder";

    ASSERT_TRUE(Runs({"panes", "--pane", "Calendar", "--other-user", "Erik Holm"}));
    EXPECT_TRUE(Says("    Folder: \\\\Mailbox - Erik Holm\\Calendar\n"));

    EXPECT_EQ(Kelo({"panes", "--pane", "Tasks", "--arrangement", "week"}), 2);
    EXPECT_EQ(error, "The view of Tasks is not a calendar view");
    EXPECT_EQ(Kelo({"panes-dialog", "--delete", "Nowhere"}), 2);
    EXPECT_TRUE(error.starts_with("The Panes dialog lists no folder \"Nowhere\" (it lists: \\\\")) << error;

    // Emptied while the pane bar is hidden: the panes go at once, without the restart message.
    ASSERT_TRUE(Runs({"panes-dialog", "--delete", "Tasks", "--show-calendar", "off", "--pane-bar", "hidden"}));
    EXPECT_TRUE(Says("0 panes\n"));
    EXPECT_FALSE(Says("next time you start Kelo"));
    ASSERT_TRUE(Runs({"panes"}));
    EXPECT_TRUE(Says("0 panes\n"));
}

TEST_F(KeloActionsTest, OptionsDialogWorksThePageAndOneOfItsDialogs) {
    ASSERT_TRUE(Runs({"options-dialog", "--allow-export", "off", "--open", "outgoing-mail", "--act",
                      "CtrlSaveKeloOption(2)", "--act", "CtrlUseSendOnBehalfOf", "--act", "CtrlPickSender",
                      "--pick-name", "Erik Holm"}));
    EXPECT_TRUE(Says("FormOutgoingMail was closed\n", "  CtrlSendOnBehalfOf: \"Erik Holm\"\n",
                     "    SaveOutgoingMailMode = 2\n", "The options dialog was applied\n  AllowExport = False\n"));
    EXPECT_FALSE(Says("SendOnBehalfOf = \n"));

    // A typed sender nobody is known by keeps the dialog open; the program closes it.
    ASSERT_TRUE(Runs({"options-dialog", "--open", "outgoing-mail", "--act", "CtrlSendOnBehalfOf=Nobody Known",
                      "--cancel", "--json"}));
    const auto results = JsonLines();
    ASSERT_EQ(results.size(), 2u) << json.str();
    EXPECT_EQ(results[0]["closedByUser"], false);
    EXPECT_NE(results[0]["options"]["SendOnBehalfOf"], "");
    EXPECT_EQ(results[1]["page"], "cancelled");

    EXPECT_EQ(Kelo({"options-dialog", "--open", "folders", "--act", "CtrlNothing"}), 2);
    EXPECT_EQ(error, "FormFolders has no control \"CtrlNothing\"");
}

#ifdef OSTRELLIX_PROGRAM
using KeloProgramTest = ActionsFixture;

TEST_F(KeloProgramTest, MistakesAreUsageErrors) {
    for (const char* mistake : {"kelo", "kelo fly", "kelo new-mail", "kelo reply --context", "kelo templates",
                                "kelo drop", "kelo send-links --links all --context person:1",
                                "kelo pick-recipient --pick Erik --cancel", "kelo open-document 2 --save --send",
                                "kelo mail-template --context person:1", "kelo print-document",
                                "kelo panes-dialog --show-inbox maybe", "kelo panes --view List",
                                "kelo options-dialog --open nowhere", "kelo options-dialog --act CtrlOK",
                                "kelo mailing --class person --ids 1 --draft 00AB --subject News",
                                "kelo mailing-compose --class person --template Nothing"}) {
        const auto [status, errors] = RunOstrellix(mistake);
        EXPECT_EQ(status, 2) << mistake;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << mistake << ": " << errors;
    }
    // The add-in's failure: an organizer the address book does not know.
    ASSERT_EQ(RunOstrellix("options set MeetingOrganizer Nobody").first, 0);
    EXPECT_EQ(RunOstrellix("kelo new-meeting --context person:1").first, 1);
    EXPECT_EQ(RunOstrellix("kelo --help").first, 0);
}

// The guide's commands ("$ " lines of its code blocks), run in order in one
// shell with a new home folder, as a reader would: each exits 0.
TEST_F(KeloProgramTest, TheGuideWorksAsWritten) {
    std::ifstream page(testing::SourceTree() / "docs" / "using-the-host-program.md");
    ASSERT_TRUE(page) << "docs/using-the-host-program.md";
    const auto home = folder.Path() / "home";
    std::filesystem::create_directories(home);
    std::ofstream script(folder.Path() / "guide.sh");
    script << "ostrellix() { '" << OSTRELLIX_PROGRAM << "' \"$@\" </dev/null; }\ncd '" << home.string() << "'\n";
    bool inBlock = false;
    int commands = 0;
    for (std::string line; std::getline(page, line);) {
        if (line.starts_with("```")) inBlock = !inBlock;
        if (!inBlock || !line.starts_with("$ ")) continue;
        ++commands;
        const std::string quoted = std::regex_replace(line, std::regex("[\"$`\\\\]"), ".");
        script << line.substr(2) << " >/dev/null || { echo \"failed: " << quoted << "\"; exit 1; }\n";
    }
    script.close();
    EXPECT_GE(commands, 10);
    const std::string output = (folder.Path() / "guide.txt").string();
    const int status = std::system(("HOME='" + home.string() + "' bash '" + (folder.Path() / "guide.sh").string() +
                                    "' >'" + output + "' 2>&1")
                                       .c_str());
    EXPECT_EQ(status, 0) << testing::FileText(output);
    EXPECT_TRUE(std::filesystem::exists(home / "day" / "config")) << "the guide works on its own workspace";
}
#endif

TEST_F(KeloActionsTest, AMailingSendsEachRecordItsOwnMailAndKeepsOnlyTheFirst) {
    ASSERT_TRUE(Runs({"mailing", "--class", "person", "--ids", "1,3,5", "--subject", "News for <firstname>", "--body",
                      "Dear <firstname>,"}));
    EXPECT_TRUE(Says("Recipient person 1: Maria Sjöberg <maria.sjoberg@nordvik.se>\n"
                     "Recipient person 3: Lena Virtanen <lena@tallbacka.com>\n"));
    EXPECT_TRUE(Says("Sending mailing... 33%: Sending to maria.sjoberg@nordvik.se...\n",
                     "To: maria.sjoberg@nordvik.se\n  Subject: News for Maria\n  Kept in Sent Items as ",
                     "To: sofie.dahl@example.org\n  Subject: News for Sofie\n  Not kept in Sent Items\n",
                     "Not sent: none\n"));

    ASSERT_TRUE(Runs({"mailing", "--class", "person", "--ids", "1,3", "--subject", "News", "--one-mail", "--dry-run",
                      "--json"}));
    std::optional<nlohmann::json> notSent;
    for (const auto& line : JsonLines()) {
        EXPECT_NE(line.value("action", ""), "sent") << line;
        if (line.value("action", "") == "not-sent") notSent = line;
    }
    EXPECT_EQ(notSent, nlohmann::json({{"action", "not-sent"},
                                       {"class", "person"},
                                       {"ids", nlohmann::json::array({1, 3})},
                                       {"dryRun", true}}))
        << json.str();

    EXPECT_EQ(Kelo({"mailing", "--class", "person", "--ids", "1", "--draft", "00000000DEAD"}), 1);
    EXPECT_EQ(error, "Please create the message to send.");
    for (const std::vector<std::string>& mistake :
         {std::vector<std::string>{"mailing", "--class", "person", "--ids", "1"},
          {"mailing", "--class", "nosuch", "--ids", "1", "--subject", "News"},
          {"mailing", "--class", "person", "--ids", "1,x", "--subject", "News"}}) {
        EXPECT_EQ(Kelo(mistake), 2) << mistake[2] << " " << mistake[4];
    }
}

TEST_F(KeloActionsTest, AMailingComposedInTheDialogIsSentAsADraft) {
    ASSERT_TRUE(Runs({"mailing-compose", "--class", "person", "--new-message", "--subject", "News for <firstname>",
                      "--field", "E-mail", "--filter-new", "lastname=Ek", "--save-only-first", "off", "--json"}));
    std::optional<nlohmann::json> mailing;
    std::vector<nlohmann::json> menus;
    for (const auto& line : JsonLines()) {
        if (line.value("action", "") == "mailing") mailing = line;
        if (line.value("action", "") == "menu") menus.push_back(line);
    }
    ASSERT_TRUE(mailing) << json.str();
    EXPECT_TRUE((*mailing)["confirmed"].get<bool>());
    EXPECT_EQ((*mailing)["subject"], "News for <firstname>");
    EXPECT_EQ((*mailing)["filter"], "lastname = \"Ek\"");
    EXPECT_FALSE((*mailing)["saveOnlyFirstMail"].get<bool>());
    ASSERT_EQ(menus.size(), 3u);
    EXPECT_EQ(menus[0]["chosen"], 100);
    EXPECT_EQ(menus[2]["chosen"], 101);

    // The message it made waits in Drafts for the mailing to send it.
    const std::string draft = (*mailing)["message"].get<std::string>();
    ASSERT_TRUE(Runs({"mailing", "--class", "person", "--ids", "1", "--draft", draft}));
    EXPECT_TRUE(Says("Subject: News for Maria\n"));

    // An e-mail field the class lacks: the menu says so, and OK is refused.
    EXPECT_EQ(Kelo({"mailing-compose", "--class", "company", "--field", "E-mail"}), 1);
    EXPECT_TRUE(Says("This class has no e-mail field. (disabled)\n  Chosen: nothing\n", "Not confirmed\n"));
    for (const std::vector<std::string>& mistake :
         {std::vector<std::string>{"mailing-compose", "--class", "person", "--subject", "News"},
          {"mailing-compose", "--class", "person", "--template", "Nothing such"},
          {"mailing-compose", "--class", "person", "--one-by-one", "maybe"},
          {"mailing-compose", "--class", "person", "--filter-new", "lastname"}}) {
        EXPECT_EQ(Kelo(mistake), 2) << mistake[3];
    }
}

// A filter stored under a name is offered where a mailing's filter is
// chosen; a name stored again in other letters is replaced.
TEST_F(KeloActionsTest, AStoredFilterIsChosenForAMailing) {
    ASSERT_TRUE(Runs({"store-filter", "--class", "person", "--name", "Nordvik", "--where", "lastname=Dahl"}));
    ASSERT_TRUE(Runs({"store-filter", "--class", "person", "--name", "NORDVIK", "--where", "lastname=Ek", "--where",
                      "firstname=Johan"}));
    EXPECT_TRUE(Says("Filter stored for person: \"NORDVIK\" (lastname = \"Ek\" and firstname = \"Johan\")\n"));
    ASSERT_TRUE(Runs({"mailing-compose", "--class", "person", "--new-message", "--filter-stored", "nordvik"}));
    EXPECT_TRUE(Says("  102 Nordvik\n  Chosen: 102\n", "  Filter: lastname = \"Ek\" and firstname = \"Johan\"\n"));

    for (const std::vector<std::string>& mistake :
         {std::vector<std::string>{"store-filter", "--class", "nosuch", "--name", "N", "--where", "a=b"},
          {"store-filter", "--class", "person", "--name", "N", "--where", "nosuch=1"},
          {"store-filter", "--class", "person", "--name", "N", "--where", "lastname"},
          {"mailing-compose", "--class", "person", "--filter-stored", "Nobody"}}) {
        EXPECT_EQ(Kelo(mistake), 2) << mistake[2] << " " << mistake.back();
    }
}

TEST_F(KeloActionsTest, DetailMailsShowTheMailItsCardsAndTheProgressOfTheirDialog) {
    ASSERT_TRUE(Runs({"please-call", "--selection", "person:1,3"}));
    EXPECT_TRUE(Says("Subject: Please call: 2 Persons", "Link: kelo://",
                     "Collecting details... 50%: Maria Sjöberg\nCollecting details... 100%: Lena Virtanen\n"));

    ASSERT_TRUE(Runs({"all-details", "--context", "person:1", "--json"}));
    const auto lines = JsonLines();
    ASSERT_EQ(lines.size(), 2u) << json.str();
    EXPECT_EQ(lines[0]["item"]["subject"], "Details: Maria Sjöberg");
    EXPECT_EQ(lines[0]["item"]["attachments"], nlohmann::json::array({"Maria Sjöberg.vcf"}));
    EXPECT_EQ(lines[1], nlohmann::json({{"action", "progress"},
                                        {"dialog", "Collecting details..."},
                                        {"percent", 100},
                                        {"message", "Maria Sjöberg"}}));

    ASSERT_TRUE(Runs({"send-contacts", "--selection", "person:2,1"}));
    EXPECT_TRUE(Says("Attachment: Johan Ek.vcf\n  Attachment: Maria Sjöberg.vcf\n",
                     "Preparing contacts... 100%: Maria Sjöberg"));

    EXPECT_EQ(Kelo({"send-contacts"}), 2);
    EXPECT_EQ(Kelo({"all-details", "--context", "person:1", "--selection", "person:1"}), 2);
    SetOptions([](const auto& options) { options->SetAllowExport(false); });
    EXPECT_EQ(Kelo({"please-call", "--context", "person:1"}), 1);
    EXPECT_NE((out.str() + error).find("export to Outlook is turned off"), std::string::npos) << out.str() << error;
}

}  // namespace
}  // namespace ostrellix::host
