// Files written here, read back by independent readers that no one here
// wrote: msgconvert (Debian libemail-outlook-message-perl), olefile (Debian
// python3-olefile, with Python's codecs for 8-bit text), olecfinfo (Debian libolecf-utils), and the npm packages
// @kenjiuno/msgreader and vcf (installed by interop/install-npm-readers.sh
// into the build directory). A test whose reader is missing is skipped.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <set>

#include "runtime/Base64.h"
#include "standins/message/EmlReader.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/PropertySets.h"
#include "standins/message/VCardWriter.h"
#include "tests/standins/message/TestMessages.h"
#include "tests/standins/system/TempDirectory.h"

namespace ostrellix::standin::message {
namespace {

using nlohmann::json;
using testing::Text;

struct CommandResult {
    bool ok;  // exited with 0
    std::string output;
};

CommandResult RunCommand(const std::string& command) {
    CommandResult result{false, {}};
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.output.append(buffer.data(), n);
    result.ok = ::pclose(pipe) == 0;
    return result;
}

class Interop : public ::testing::Test {
protected:
    const ostrellix::testing::TempDirectory temp;
    const std::filesystem::path dir = temp.Path();
};

std::string Quote(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

bool Has(const std::string& command) { return RunCommand("command -v " + command + " >/dev/null 2>&1").ok; }

bool HasOlefile() { return RunCommand("/usr/bin/python3 -c 'import olefile' 2>/dev/null").ok; }

std::string Script(const std::string& name) { return Quote(std::filesystem::path(MESSAGE_INTEROP_SCRIPTS) / name); }

std::string NodeWith(const std::string& package) {
    const std::filesystem::path modules = std::filesystem::path(MESSAGE_NPM_READERS) / "node_modules";
    if (!Has("node") || !std::filesystem::exists(modules / package / "package.json")) return {};
    return "NODE_PATH=" + Quote(modules) + " node ";
}

TEST_F(Interop, MsgconvertTurnsOurMessageIntoTheSameMail) {
    if (!Has("msgconvert")) GTEST_SKIP() << "msgconvert is not installed (Debian libemail-outlook-message-perl)";
    MessageData mail = testing::TypicalMail();
    // msgconvert 0.921 encodes a non-ASCII plain body twice when a header is
    // non-ASCII as well (an Outlook-written file fares the same), so the
    // plain body is ASCII here; the msgreader test covers a non-ASCII one.
    mail.properties.Set(tag::PR_BODY, Variant("Hello Asa,\r\n\r\nhere is the offer.\r\nPer"));
    MsgWriter::WriteFile(mail, dir / "mail.msg");
    const auto converted =
        RunCommand("msgconvert --outfile " + Quote(dir / "mail.eml") + " " + Quote(dir / "mail.msg") + " 2>&1");
    ASSERT_TRUE(converted.ok) << converted.output;

    // gmime, another independent parser, reads what msgconvert made.
    const MessageData eml = EmlReader().ReadFile(dir / "mail.eml");
    EXPECT_EQ(Text(eml.properties, tag::PR_SUBJECT), Text(mail.properties, tag::PR_SUBJECT));
    EXPECT_EQ(Text(eml.properties, tag::PR_BODY), Text(mail.properties, tag::PR_BODY));
    EXPECT_EQ(eml.properties.GetValue(tag::PR_HTML), mail.properties.GetValue(tag::PR_HTML));
    EXPECT_EQ(Text(eml.properties, tag::PR_SENDER_NAME), "Per Öberg");
    // An .eml shows no Bcc recipients.
    EXPECT_EQ(testing::Recipients(eml),
              (std::vector<std::pair<std::string, int>>{
                  {"asa.lind@example.se", MAPI_TO}, {"bo.ek@example.se", MAPI_TO}, {"cecilia@example.se", MAPI_CC}}));
    ASSERT_EQ(eml.attachments.size(), 2u);
    EXPECT_EQ(Text(eml.attachments[0].properties, tag::PR_ATTACH_LONG_FILENAME), "offert 2024.pdf");
    EXPECT_EQ(eml.attachments[0].properties.GetValue(tag::PR_ATTACH_DATA_BIN),
              mail.attachments[0].properties.GetValue(tag::PR_ATTACH_DATA_BIN));
    ASSERT_TRUE(eml.attachments[1].embedded);
    EXPECT_EQ(Text(eml.attachments[1].embedded->properties, tag::PR_SUBJECT), "Förfrågan");
}

TEST_F(Interop, OlefileSeesTheLayoutAndTheNamedPropertyMap) {
    if (!HasOlefile()) GTEST_SKIP() << "olefile is not installed for /usr/bin/python3 (Debian python3-olefile)";
    MsgWriter::WriteFile(testing::TypicalMail(), dir / "mail.msg");
    const auto dumped = RunCommand("/usr/bin/python3 " + Script("olefile_dump.py") + " " + Quote(dir / "mail.msg"));
    ASSERT_TRUE(dumped.ok) << dumped.output;
    const json seen = json::parse(dumped.output);
    EXPECT_EQ(seen["subject"], "Offert på kontorsstolar – 25 % rabatt 🪑");
    EXPECT_EQ(seen["clsid"], "00020D0B-0000-0000-C000-000000000046");
    const auto& entries = seen["entries"];
    for (const char* expected : {"__properties_version1.0", "__recip_version1.0_#00000003/__properties_version1.0",
                                 "__attach_version1.0_#00000000/__substg1.0_37010102",
                                 "__attach_version1.0_#00000001/__substg1.0_3701000D/__properties_version1.0",
                                 "__nameid_version1.0/__substg1.0_00020102"}) {
        EXPECT_NE(std::find(entries.begin(), entries.end(), expected), entries.end()) << expected;
    }
    std::set<std::string> names;
    for (const auto& named : seen["named"]) {
        names.insert(named.contains("name") ? named["name"].get<std::string>()
                                            : named["set"].get<std::string>() + "/" + std::to_string(named["lid"].get<int>()));
    }
    EXPECT_EQ(names, (std::set<std::string>{"KeloID", "GUID", "KeloChecksum", "00062004-0000-0000-c000-000000000046/32899",
                                            "00062002-0000-0000-c000-000000000046/33293",
                                            "00062003-0000-0000-c000-000000000046/33052"}));
}

TEST_F(Interop, OlefileFindsOurEightBitTextInTheWritersCodePageUnderEveryMarker) {
    if (!HasOlefile()) GTEST_SKIP() << "olefile is not installed for /usr/bin/python3 (Debian python3-olefile)";
    struct Language {
        std::uint32_t codePage;
        const char* codec;
        std::uint32_t internetCodePage;  // a charset of the script
        std::vector<std::string> texts;  // subject, recipient, embedded message's subject
    };
    const Language languages[] = {
        {932, "cp932", 50220, {"日本語の件名", "山田太郎", "見積もりの件"}},
        {936, "cp936", 54936, {"中文主题", "王小明", "报价单"}},
        {1251, "cp1251", 20866, {"Привет, мир", "Иван Петров", "Счёт №5"}},
        {1252, "cp1252", 28591, {"Grüße aus Köln", "Jürgen Groß", "Crème brûlée"}},
    };
    enum class Marker { MessageCodePage, InternetCodePage, System };
    for (const Language& script : languages) {
        for (const Marker marker : {Marker::MessageCodePage, Marker::InternetCodePage, Marker::System}) {
            SCOPED_TRACE(std::to_string(script.codePage) + " marker " + std::to_string(static_cast<int>(marker)));
            MessageData mail;
            mail.properties.Set(MakeTag(0x0037, pt::String8), Variant(script.texts[0]));
            // The system's code page is a wrong one unless it is the marker.
            MessageFileHost host{1250, nullptr, nullptr};
            if (marker == Marker::MessageCodePage) {
                mail.properties.Set(tag::PR_MESSAGE_CODEPAGE, Variant(static_cast<int>(script.codePage)));
                mail.properties.Set(tag::PR_INTERNET_CPID, Variant(65001));
            } else if (marker == Marker::InternetCodePage) {
                mail.properties.Set(tag::PR_INTERNET_CPID, Variant(static_cast<int>(script.internetCodePage)));
            } else {
                host.ansiCodePage = script.codePage;
            }
            RecipientData recipient;
            recipient.properties.Set(MakeTag(0x3001, pt::String8), Variant(script.texts[1]));
            mail.recipients.push_back(recipient);
            AttachmentData attached;
            attached.embedded = std::make_shared<MessageData>();
            attached.embedded->properties.Set(MakeTag(0x0037, pt::String8), Variant(script.texts[2]));
            mail.attachments.push_back(attached);
            const auto path = dir / ("mail-" + std::to_string(script.codePage) + "-" +
                                     std::to_string(static_cast<int>(marker)) + ".msg");
            MsgWriter::WriteFile(mail, path, host);

            const auto dumped = RunCommand("/usr/bin/python3 " + Script("olefile_text.py") + " " + Quote(path) + " " +
                                           script.codec + " __substg1.0_0037001E" +
                                           " __recip_version1.0_#00000000/__substg1.0_3001001E" +
                                           " __attach_version1.0_#00000000/__substg1.0_3701000D/__substg1.0_0037001E");
            ASSERT_TRUE(dumped.ok) << dumped.output;
            EXPECT_EQ(json::parse(dumped.output), json(script.texts));
        }
    }
}

TEST_F(Interop, LibolecfAcceptsTheCompoundFile) {
    if (!Has("olecfinfo")) GTEST_SKIP() << "olecfinfo is not installed (Debian libolecf-utils)";
    MsgWriter::WriteFile(testing::TypicalMail(), dir / "mail.msg");
    const auto info = RunCommand("olecfinfo " + Quote(dir / "mail.msg") + " 2>&1");
    ASSERT_TRUE(info.ok) << info.output;
    EXPECT_NE(info.output.find("__substg1.0_3701000D"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("__nameid_version1.0"), std::string::npos);
}

TEST_F(Interop, MsgreaderSeesRecipientsAttachmentsEmbeddedMailAndNamedProperties) {
    const std::string node = NodeWith("@kenjiuno/msgreader");
    if (node.empty()) GTEST_SKIP() << "@kenjiuno/msgreader is not installed: run interop/install-npm-readers.sh <build dir>";
    const MessageData mail = testing::TypicalMail();
    MsgWriter::WriteFile(mail, dir / "mail.msg");
    const auto dumped = RunCommand(node + Script("msgreader_dump.js") + " " + Quote(dir / "mail.msg"));
    ASSERT_TRUE(dumped.ok) << dumped.output;
    const json seen = json::parse(dumped.output);
    EXPECT_EQ(seen["subject"], Text(mail.properties, tag::PR_SUBJECT));
    EXPECT_EQ(seen["body"], Text(mail.properties, tag::PR_BODY));
    const Bytes html = mail.properties.GetValue(tag::PR_HTML).ToBytes();
    EXPECT_EQ(seen["html"], std::string(html.begin(), html.end()));
    EXPECT_EQ(seen["senderName"], "Per Öberg");
    EXPECT_EQ(seen["senderEmail"], "per.oberg@example.se");
    ASSERT_EQ(seen["recipients"].size(), 4u);
    const std::vector<std::string> types{"to", "to", "cc", "bcc"};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(seen["recipients"][i]["type"], types[i]);
        EXPECT_EQ(seen["recipients"][i]["email"], Text(mail.recipients[i].properties, tag::PR_EMAIL_ADDRESS));
    }
    ASSERT_EQ(seen["attachments"].size(), 2u);
    EXPECT_EQ(seen["attachments"][0]["fileName"], "offert 2024.pdf");
    EXPECT_EQ(seen["attachments"][0]["base64"], Base64Encode(mail.attachments[0].properties.GetValue(tag::PR_ATTACH_DATA_BIN).ToBytes()));
    const json& embedded = seen["attachments"][1]["embedded"];
    EXPECT_EQ(embedded["subject"], "Förfrågan");
    EXPECT_EQ(embedded["recipients"][0]["email"], "per.oberg@example.se");

    bool keloId = false, address = false;
    for (const auto& named : seen["named"]) {
        if (named["name"] == "KeloID") keloId = named["value"] == "Document:4711";
        if (named["lid"] == 0x8083) address = named["set"] == "00062004-0000-0000-c000-000000000046" && named["value"] == "asa.lind@example.se";
    }
    EXPECT_TRUE(keloId) << seen["named"].dump();
    EXPECT_TRUE(address) << seen["named"].dump();
}

TEST_F(Interop, VcfParserReadsOurBusinessCard) {
    const std::string node = NodeWith("vcf");
    if (node.empty()) GTEST_SKIP() << "vcf is not installed: run interop/install-npm-readers.sh <build dir>";
    ContactCard card;
    card.fullName = "Åsa Lind";
    card.firstName = "Åsa";
    card.lastName = "Lind";
    card.company = "Stolar; Bord AB";
    card.email1 = "asa@example.se";
    card.mobilePhone = "+46 70 111";
    card.notes = std::string(100, 'x') + "\nrad två, med komma";
    VCardWriter::WriteFile(card, dir / "asa.vcf");
    const auto dumped = RunCommand(node + Script("vcf_dump.js") + " " + Quote(dir / "asa.vcf"));
    ASSERT_TRUE(dumped.ok) << dumped.output;
    const json seen = json::parse(dumped.output).at(0);
    EXPECT_EQ(seen["fn"][0]["value"], "Åsa Lind");
    EXPECT_EQ(seen["n"][0]["value"], "Lind;Åsa;;;");
    EXPECT_EQ(seen["org"][0]["value"], "Stolar\\; Bord AB");
    EXPECT_EQ(seen["email"][0]["value"], "asa@example.se");
    EXPECT_EQ(seen["tel"][0]["value"], "+46 70 111");
    EXPECT_EQ(seen["tel"][0]["type"][0], "cell");
    EXPECT_EQ(seen["note"][0]["value"], std::string(100, 'x') + "\\nrad två\\, med komma");
}

}  // namespace
}  // namespace ostrellix::standin::message
