#include "apps/ostrellix/FileCommand.h"

#include <SQLiteCpp/Database.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IRecords.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Application.h"
#include "standins/kelo/client/HostEvents.h"
#include "standins/kelo/engine/Class.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Field.h"
#include "standins/kelo/engine/Schema.h"
#include "standins/message/EmlReader.h"
#include "standins/message/MsgWriter.h"
#include "tests/apps/HostFixture.h"

namespace ostrellix::host {
namespace {

namespace msg = standin::message;

const std::string kFromMaria =
    "From: Maria Sjoberg <maria.sjoberg@nordvik.se>\r\n"
    "To: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
    "Subject: Spring order\r\n"
    "Date: Thu, 02 May 2024 10:00:00 +0000\r\n";
const std::string kFromPaul =
    "From: Paul Okafor <paul.okafor@brisa-logistics.com>\r\n"
    "To: Anna Lindqvist <anna.lindqvist@demo.example>\r\n"
    "Subject: Delivery slots\r\n"
    "Date: Fri, 03 May 2024 08:30:00 +0000\r\n";

class FileCommandTest : public HostFixture {
protected:
    FileCommandTest() : host(NewHost()) {}

    std::string Eml(const std::string& name, const std::string& headers) {
        const std::string path = (folder.Path() / name).string();
        std::ofstream(path, std::ios::binary) << headers
                                              << "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
                                              << "Hello Anna.\r\n";
        return path;
    }
    // The same mail as an Outlook message file.
    std::string Msg(const std::string& name, const std::string& headers) {
        const std::string path = (folder.Path() / name).string();
        const std::string source = Eml(std::filesystem::path(name).filename().string() + ".source.eml", headers);
        msg::MsgWriter::WriteFile(msg::EmlReader().ReadFile(source), path);
        return path;
    }

    int File(const std::vector<std::string>& paths, const std::optional<std::string>& context = std::nullopt) {
        out.str("");
        return FileCommand::Run(*host, paths, context);
    }
    // The line printed for the file.
    std::string Line(const std::string& path) {
        std::istringstream lines(out.str());
        for (std::string line; std::getline(lines, line);) {
            if (line.starts_with(path + ": ")) return line.substr(path.size() + 2);
        }
        return "no line for " + path + " in:\n" + out.str();
    }
    standin::kelo::Application& Kelo() { return host->TheMachine().KeloApp(); }
    std::int32_t Documents() {
        const auto records = Cast<kelo::IRecords>(Kelo().CreateObject("QVR.Records"));
        records->Open(Kelo().Classes()->FindByName("document"), nullptr, {}, 0);
        return records->Count();
    }
    // The stored document record a line names.
    Ptr<kelo::IRecord> Filed(const std::string& line) {
        std::smatch match;
        if (!std::regex_search(line, match, std::regex("^filed as document (\\d+) "))) return nullptr;
        auto& application = Kelo();
        const auto record = Cast<kelo::IRecord>(application.CreateObject("QVR.Record"));
        record->Load(application.Classes()->FindByName("document"), std::stoi(match[1]));
        return record;
    }
    std::int32_t IdOf(std::string_view className, std::string_view field, std::string_view value) {
        const auto records = Cast<kelo::IRecords>(Kelo().CreateObject("QVR.Records"));
        const auto filter = Cast<kelo::IFilter>(Kelo().CreateObject("QVR.Filter"));
        filter->Add(field, kelo::op::Equal, Variant(value));
        records->Open(Kelo().Classes()->FindByName(className), filter, {}, 2);
        return records->Count() == 1 ? records->Item(1)->ID() : 0;
    }

    std::unique_ptr<Host> host;
};

TEST_F(FileCommandTest, ReceivedMailOfBothFormatsIsStoredAndLinkedToItsSender) {
    const std::string eml = Eml("spring.eml", kFromMaria);
    const std::string msg = Msg("slots.msg", kFromPaul);
    EXPECT_EQ(File({eml, msg}), 0) << out.str();

    const std::string maria = Line(eml);
    EXPECT_NE(maria.find("\"Spring order\", person: Maria Sjöberg, company: Nordvik Trading AB"), std::string::npos)
        << maria;
    const std::string paul = Line(msg);
    EXPECT_NE(paul.find("\"Delivery slots\", person: Paul Okafor, company: Brisa Logistics"), std::string::npos)
        << paul;

    // What was printed is what the database holds: the record windows were saved.
    const auto spring = Filed(maria);
    ASSERT_NE(spring, nullptr) << maria;
    EXPECT_EQ(spring->Value("person").ToLong(), IdOf("person", "email", "maria.sjoberg@nordvik.se"));
    EXPECT_EQ(spring->Text("received"), "2024-05-02 10:00:00");
    const auto document = Cast<kelo::IDocument>(spring->Value("file").ToObject());
    EXPECT_EQ(document->Name(), "Spring order");
    EXPECT_EQ(document->Extension(), "msg");
    const auto slots = Filed(paul);
    ASSERT_NE(slots, nullptr) << paul;
    EXPECT_NE(slots->ID(), spring->ID());
    EXPECT_EQ(slots->Text("company"), "Brisa Logistics");
}

TEST_F(FileCommandTest, AFolderIsEveryMessageFileInItAtAnyDepthInNameOrder) {
    namespace fs = std::filesystem;
    const fs::path mails = folder.Path() / "mails";
    fs::create_directories(mails / "b-older" / "deeper");
    fs::create_directories(mails / "c-none");
    fs::create_directories(folder.Path() / "empty");
    const std::string a = Eml("mails/a.eml", kFromMaria);
    const std::string b = Eml("mails/b.eml", kFromMaria);
    const std::string nested = Msg("mails/b-older/deeper/slots.MSG", kFromPaul);
    Eml("mails/notes.txt", kFromMaria);
    Eml("empty/readme.txt", kFromMaria);
    fs::create_directory_symlink(mails, mails / "b-loop");  // not followed, or the walk would never end
    const std::string empty = (folder.Path() / "empty").string();

    EXPECT_EQ(File({mails.string(), empty}), 0) << out.str();
    std::vector<std::string> lines;
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 4u) << out.str();
    // A subfolder's files come where its name falls: "b-older" sorts before "b.eml".
    EXPECT_TRUE(lines[0].starts_with(a + ": filed as document ")) << lines[0];
    EXPECT_TRUE(lines[1].starts_with(nested + ": filed as document ")) << lines[1];
    EXPECT_TRUE(lines[2].starts_with(b + ": filed as document ")) << lines[2];
    EXPECT_EQ(lines[3], empty + ": no .msg or .eml files in this folder");
    EXPECT_NE(Filed(Line(nested)), nullptr);
}

TEST_F(FileCommandTest, AFileThatFailsIsNamedAndTheBatchGoesOn) {
    namespace fs = std::filesystem;
    fs::create_directories(folder.Path() / "batch");
    const std::string good = Eml("batch/1-good.eml", kFromMaria);
    const std::string garbage = (folder.Path() / "batch" / "2-garbage.msg").string();
    std::ofstream(garbage) << "not a message file";
    const std::string refused = Eml("batch/3-refused.eml", "From: maria.sjoberg@nordvik.se\r\nSubject: Refused\r\n");
    const std::string vanishing = Eml("batch/4-vanishing.eml", kFromPaul);
    const std::string vanished = Eml("batch/5-vanished.eml", kFromPaul);
    const std::string alsoGood = Msg("batch/6-good.msg", kFromPaul);
    const std::string empty = (folder.Path() / "batch" / "7-empty.eml").string();
    std::ofstream{empty};
    const std::string missing = (folder.Path() / "missing.eml").string();
    const std::string text = Eml("spring.txt", kFromMaria);  // named on its own, not found in a folder

    // The data engine refuses to store a document about "Refused".
    auto& engine = *host->TheMachine().Kelo().Data();
    const auto documents = engine.Metadata().Require("document");
    engine.Db().exec("CREATE TEMP TRIGGER refuse BEFORE INSERT ON " + documents->Table() + " WHEN NEW.f" +
                     std::to_string(documents->FieldNamed("comment")->Id()) +
                     " = 'Refused' BEGIN SELECT RAISE(ABORT, 'the disk is full'); END");
    // The file being filed goes away as the add-in starts on it, and the
    // next one before its turn (a script of the client's removes them).
    const auto remover = Kelo().ScriptEvents().On("DropFile", [&](standin::kelo::HostEvents::Raised& event) {
        if (event.Parameter("FileName").ToString() != fs::absolute(vanishing).string()) return;
        fs::remove(vanishing);
        fs::remove(vanished);
    });
    const std::int32_t before = Documents();

    EXPECT_EQ(File({(folder.Path() / "batch").string(), missing, text}), 1);
    EXPECT_NE(Filed(Line(good)), nullptr) << out.str();
    EXPECT_NE(Filed(Line(alsoGood)), nullptr) << out.str();
    EXPECT_EQ(Documents(), before + 2) << out.str();
    // Each refusal is told on the line of its file, with the reason.
    for (const auto& [path, why] :
         std::vector<std::pair<std::string, std::string>>{{garbage, "2-garbage.msg"},
                                                          {refused, "the record was not saved: "},
                                                          {refused, "the disk is full"},
                                                          {vanishing, "4-vanishing.eml"},
                                                          {empty, "7-empty.eml"},
                                                          {text, ".msg"}}) {
        EXPECT_TRUE(Line(path).starts_with("not filed: ")) << out.str();
        EXPECT_NE(Line(path).find(why), std::string::npos) << out.str();
    }
    EXPECT_EQ(Line(vanished), "not filed: there is no such file");
    EXPECT_EQ(Line(missing), "not filed: there is no such file");
    // No message line breaks inside a result line.
    EXPECT_EQ(Line(garbage).find('\r'), std::string::npos);
}

TEST_F(FileCommandTest, ScriptsGetOneJsonObjectPerFileAndTheProgressIsDrawn) {
    namespace fs = std::filesystem;
    std::ostringstream json, progress;
    host.reset();
    Host::Setup setup = NewSetup();
    setup.json = &json;
    setup.progress = &progress;
    host = std::make_unique<Host>(std::move(setup));
    fs::create_directories(folder.Path() / "scripted");
    fs::create_directories(folder.Path() / "empty");
    const std::string good = Eml("scripted/1-good.eml", kFromMaria);
    std::ofstream(folder.Path() / "scripted" / "2-garbage.msg") << "\x01\x02";
    // A file name need not be UTF-8; the JSON still is.
    Eml("scripted/\xff-latin1.eml", kFromPaul);

    EXPECT_EQ(File({(folder.Path() / "scripted").string(), (folder.Path() / "empty").string()}), 1);
    const auto objects = JsonLines(json.str());
    ASSERT_EQ(objects.size(), 3u) << json.str();

    const nlohmann::json& filed = objects[0];
    EXPECT_EQ(filed["file"], good);
    EXPECT_EQ(filed["filed"], true);
    ASSERT_EQ(filed["records"].size(), 1u) << filed;
    EXPECT_EQ(filed["records"][0]["class"], "document");
    EXPECT_EQ(filed["records"][0]["subject"], "Spring order");
    EXPECT_EQ(filed["records"][0]["person"], "Maria Sjöberg");
    EXPECT_EQ(filed.count("error"), 0u);
    EXPECT_NE(Filed("filed as document " + filed["records"][0]["id"].dump() + " "), nullptr);

    const nlohmann::json& garbage = objects[1];
    EXPECT_EQ(garbage["filed"], false);
    EXPECT_TRUE(garbage["records"].empty());
    ASSERT_FALSE(garbage["messages"].empty()) << garbage;  // what the add-in showed
    EXPECT_NE(garbage["error"].get<std::string>().find("2-garbage.msg"), std::string::npos) << garbage;

    // "\xff" sorts after the digits.
    EXPECT_NE(objects[2]["file"].get<std::string>().find("\xEF\xBF\xBD-latin1.eml"), std::string::npos) << objects[2];
    EXPECT_EQ(objects[2]["records"][0]["person"], "Paul Okafor") << objects[2];

    // Only the JSON goes to scripts; the rest is for the person at the terminal.
    EXPECT_NE(out.str().find("empty: no .msg or .eml files in this folder"), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("filed as"), std::string::npos) << out.str();
    EXPECT_TRUE(progress.str().starts_with("\r\x1b[K0/3 files")) << progress.str();
    EXPECT_TRUE(progress.str().ends_with("\r\x1b[K")) << progress.str();
    EXPECT_NE(progress.str().find("\r\x1b[K3/3 files, "), std::string::npos) << progress.str();
}

TEST_F(FileCommandTest, AContextRecordIsWhatTheMailIsLinkedTo) {
    // Dropped on Lena Virtanen's window, a mail from a stranger is filed for Lena and her company.
    const std::int32_t lena = IdOf("person", "email", "lena@tallbacka.com");
    const std::string eml = Eml("stranger.eml",
                                "From: Someone <someone@example.org>\r\nTo: anna.lindqvist@demo.example\r\n"
                                "Subject: Question\r\n");
    EXPECT_EQ(File({eml}, "person:" + std::to_string(lena)), 0) << out.str();
    const auto record = Filed(Line(eml));
    ASSERT_NE(record, nullptr) << out.str();
    EXPECT_EQ(record->Value("person").ToLong(), lena);
    EXPECT_EQ(record->Text("company"), "Tallbacka Konsult");

    for (const char* wrong : {"person", "person:", ":3", "person:three", "person:999"}) {
        try {
            File({eml}, std::string(wrong));
            ADD_FAILURE() << wrong << " was taken";
        } catch (const ComError& error) {
            // Refused by the program, as a usage error.
            EXPECT_EQ(error.Source(), "ostrellix") << wrong << ": " << error.Description();
        }
    }
}

}  // namespace
}  // namespace ostrellix::host
