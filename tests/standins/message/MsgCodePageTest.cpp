// 8-bit text of message files: which code page it is read in, what happens
// to bytes that do not decode, and where the compound-file library's own
// complaints go. The 8-bit bytes here were encoded by Python's codecs, not
// by the code under test.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/ComError.h"
#include "standins/message/MsgLayout.h"
#include "standins/message/MsgReader.h"
#include "standins/message/MsgWriter.h"
#include "standins/message/OleStorageWriter.h"
#include "standins/system/DebuggerOutput.h"
#include "tests/standins/message/TestMessages.h"

namespace ostrellix::standin::message {
namespace {

constexpr std::uint32_t kSubject8 = 0x0037001E;
constexpr std::uint32_t kDisplayName8 = 0x3001001E;

const std::string kJapanese = "\x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x8C\x8F\x96\xBC";  // 日本語の件名 in 932
const std::string kChinese = "\xD6\xD0\xCE\xC4\xD6\xF7\xCC\xE2";                   // 中文主题 in 936
const std::string kRussian = "\xCF\xF0\xE8\xE2\xE5\xF2\x2C\x20\xEC\xE8\xF0";        // Привет, мир in 1251
const std::string kGerman = "Gr\xFC\xDF" "e aus K\xF6ln";                          // Grüße aus Köln in 1252

std::vector<std::uint8_t> Terminated(const std::string& bytes) {
    std::vector<std::uint8_t> out(bytes.begin(), bytes.end());
    out.push_back(0);
    return out;
}

// A message file as another program writes one: an 8-bit subject, one
// recipient whose 8-bit name is the same bytes, and the code-page
// properties given (none when 0).
std::vector<std::uint8_t> EightBitFile(const std::string& bytes, std::uint32_t messageCodePage,
                                       std::uint32_t internetCodePage) {
    const auto value = Terminated(bytes);
    std::vector<std::pair<std::uint32_t, std::uint64_t>> entries{{kSubject8, value.size()}};
    if (messageCodePage) entries.emplace_back(tag::PR_MESSAGE_CODEPAGE, messageCodePage);
    if (internetCodePage) entries.emplace_back(tag::PR_INTERNET_CPID, internetCodePage);
    OleStorageWriter root;
    root.AddStream(msg::kPropertyStream, testing::PropertyStream(msg::kTopHeader, entries));
    root.AddStream(msg::StreamName(kSubject8), value);
    OleStorageWriter recipient = root.AddStorage(msg::ChildName(msg::kRecipientPrefix, 0));
    recipient.AddStream(msg::kPropertyStream,
                        testing::PropertyStream(msg::kChildHeader, {{kDisplayName8, value.size()}}));
    recipient.AddStream(msg::StreamName(kDisplayName8), value);
    recipient.Close();
    return root.Finish();
}

// The debugger output of the system stand-in, with what it heard.
struct HeardOutput {
    HeardOutput() : connection(output.Written.Connect([this](const std::string& line) { lines.push_back(line); })) {}
    MessageFileHost Host(std::uint32_t ansiCodePage) { return {ansiCodePage, &output, nullptr}; }

    system::DebuggerOutput output;
    std::vector<std::string> lines;
    Connection connection;
};

TEST(MsgCodePage, EightBitTextIsReadInTheWritersAnsiCodePage) {
    struct Case {
        const char* why;
        const std::string& bytes;
        const char* text;
        std::uint32_t messageCodePage, internetCodePage, systemCodePage;
    };
    const Case cases[] = {
        {"the message code page wins over the Internet one", kJapanese, "日本語の件名", 932, 65001, 1252},
        {"ISO-2022-JP is written by a 932 Windows", kJapanese, "日本語の件名", 0, 50220, 1252},
        {"EUC-JP is written by a 932 Windows", kJapanese, "日本語の件名", 0, 51932, 1252},
        {"no marker: the system's code page", kJapanese, "日本語の件名", 0, 0, 932},
        {"GB18030 is written by a 936 Windows", kChinese, "中文主题", 0, 54936, 1252},
        {"GB2312 by message code page", kChinese, "中文主题", 936, 0, 1251},
        {"KOI8-R is written by a 1251 Windows", kRussian, "Привет, мир", 0, 20866, 1252},
        {"ISO-8859-5 is written by a 1251 Windows", kRussian, "Привет, мир", 0, 28595, 1252},
        {"KOI8-R mail kept by a 1251 Windows that says so", kRussian, "Привет, мир", 1251, 20866, 932},
        {"UTF-8 is of no script: the system's code page", kRussian, "Привет, мир", 0, 65001, 1251},
        {"an unknown Internet code page: the system's", kRussian, "Привет, мир", 0, 4711, 1251},
        {"ISO-8859-1 is written by a 1252 Windows", kGerman, "Grüße aus Köln", 0, 28591, 1251},
        {"a default host is a 1252 Windows", kGerman, "Grüße aus Köln", 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const auto file = EightBitFile(c.bytes, c.messageCodePage, c.internetCodePage);
        const MessageData mail = c.systemCodePage ? MsgReader({}, {c.systemCodePage, nullptr, nullptr}).Read(file, "other.msg")
                                                  : MsgReader().Read(file, "other.msg");
        EXPECT_EQ(mail.properties.GetValue(kSubject8).ToString(), c.text);
        ASSERT_EQ(mail.recipients.size(), 1u);
        EXPECT_EQ(mail.recipients[0].properties.GetValue(kDisplayName8).ToString(), c.text) << "inherited";
    }
}

TEST(MsgCodePage, BytesThatDoNotDecodeAreReplacedAndTheDebugOutputHearsWhichProperty) {
    HeardOutput heard;
    // 0x82 0x20 is no character of 932; the recipient's name is in 1252, where every byte decodes.
    const std::string broken = "\x93\xFA\x82\x20";
    const MessageData mail = MsgReader({}, heard.Host(932)).Read(EightBitFile(broken, 0, 0), "broken.msg");
    EXPECT_EQ(mail.properties.GetValue(kSubject8).ToString(), "日\xEF\xBF\xBD ");
    ASSERT_EQ(heard.lines.size(), 2u);  // the subject, and the recipient's name with the same bytes
    EXPECT_EQ(heard.lines[0],
              "MsgReader - 'broken.msg': the property 0x0037001E of the message does not decode in code page 932; "
              "its undecodable bytes read as U+FFFD\r\n");
    EXPECT_NE(heard.lines[1].find("0x3001001E of recipient 1"), std::string::npos) << heard.lines[1];

    heard.lines.clear();
    MsgReader({}, heard.Host(932)).Read(EightBitFile(kJapanese, 0, 0), "fine.msg");
    EXPECT_TRUE(heard.lines.empty());
}

TEST(MsgCodePage, TheCompoundFileLibrarysComplaintsGoToTheDebugOutputNotTheTerminal) {
    const auto whole = MsgWriter::Write(testing::TypicalMail());
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 3));
    HeardOutput heard;
    for (const MessageFileHost& host : {heard.Host(1252), MessageFileHost{}}) {
        ::testing::internal::CaptureStderr();
        std::optional<ComError> error;
        try {
            MsgReader({}, host).Read(cut, "cut.msg");
        } catch (const ComError& e) {
            error = e;
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Description().rfind("Cannot read the Outlook message file 'cut.msg': ", 0), 0u)
            << error->Description();
    }
    ASSERT_FALSE(heard.lines.empty());
    EXPECT_EQ(heard.lines[0].rfind("MsgReader - libgsf", 0), 0u) << heard.lines[0];
}

}  // namespace
}  // namespace ostrellix::standin::message
