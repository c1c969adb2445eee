#include "apps/ostrellix/FileCommand.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IRecords.h"
#include "runtime/ComError.h"
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
        msg::MsgWriter::WriteFile(msg::EmlReader().ReadFile(Eml(name + ".eml", headers)), path);
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
    kelo::IApplication& Kelo() { return host->TheMachine().KeloApp(); }
    // The stored document record a line names.
    Ptr<kelo::IRecord> Filed(const std::string& line) {
        std::smatch match;
        if (!std::regex_search(line, match, std::regex("^filed as record (\\d+) "))) return nullptr;
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

TEST_F(FileCommandTest, ABadFileIsNamedAndTheRestAreStillFiled) {
    const std::string broken = (folder.Path() / "broken.msg").string();
    std::ofstream(broken) << "not a message file";
    const std::string missing = (folder.Path() / "missing.eml").string();
    const std::string good = Eml("spring.eml", kFromMaria);
    EXPECT_EQ(File({broken, missing, good}), 1);

    const std::string why = Line(broken);
    EXPECT_TRUE(why.starts_with("not filed: ")) << out.str();
    EXPECT_NE(why.find("broken.msg"), std::string::npos) << why;
    EXPECT_EQ(why.find('\r'), std::string::npos) << why;
    EXPECT_EQ(Line(missing), "not filed: there is no such file");
    EXPECT_NE(Filed(Line(good)), nullptr) << out.str();
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

    for (const char* wrong : {"person", "person:", ":3", "person:three"}) {
        try {
            File({eml}, std::string(wrong));
            ADD_FAILURE() << wrong << " was taken";
        } catch (const ComError& error) {
            EXPECT_NE(error.Description().find("CLASS:ID"), std::string::npos) << wrong << ": " << error.Description();
        }
    }
}

TEST_F(FileCommandTest, OnlyMailFileExtensionsAreFiledWhateverTheirCase) {
    const std::string text = Eml("spring.txt", kFromMaria);
    const std::string capitals = Eml("SPRING.EML", kFromMaria);
    EXPECT_EQ(File({text, capitals}), 1);
    const std::string why = Line(text);
    EXPECT_TRUE(why.starts_with("not filed: ")) << why;
    EXPECT_NE(why.find(".msg"), std::string::npos) << why;
    EXPECT_NE(Filed(Line(capitals)), nullptr) << out.str();
}

}  // namespace
}  // namespace ostrellix::host
