#include <gtest/gtest.h>

#include "standins/mapi/RtfText.h"
#include "standins/message/CompressedRtf.h"
#include "standins/message/MsgReader.h"
#include "standins/message/PropertyTag.h"
#include "tests/standins/message/TestMessages.h"

namespace ostrellix::standin::mapi {
namespace {

TEST(RtfText, PlainTextMakesADocumentThatReadsBackTheSame) {
    for (const std::string text : {"Hello", "Två rader\r\nmed {klamrar} och \\snedstreck\\", "tab\there",
                                   "emoji 🪑 and Ω", "", "ends with a break\r\n"}) {
        const std::string rtf = RtfText::FromPlain(text);
        EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
        EXPECT_EQ(RtfText::ToPlain(rtf), text) << rtf;
    }
}

// The text of the document, in the code page it declares, not its tables, pictures or fields.
TEST(RtfText, TextComesFromTheDocumentInItsCodePage) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1 Symbol;}}"
         "{\\colortbl;\\red0\\green0\\blue0;}{\\*\\generator Writer;}{\\info{\\title Secret}}"
         "\\f0\\fs20 Caf\\'e9 \\b bold\\b0\\par\n"
         "{\\field{\\*\\fldinst HYPERLINK \"http://x\"}{\\fldrslt link}}\\line"
         "{\\pict\\pngblip 89504e47}\\uc2\\u8364 EU\\tab\\u-3913?? \\emdash\\~x}",
         "Café bold\r\nlink\r\n€\t\uF0B7 —\u00A0x"},
        {"{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}", "Привет"},
        {"{\\rtf1\\ansi \\'e5\\'e4\\'f6}", "åäö"},  // windows-1252 when none is declared
        {"{\\rtf1 cut short \\'4", "cut short "},
    };
    for (const auto& [rtf, text] : cases) EXPECT_EQ(RtfText::ToPlain(rtf), text) << rtf;
}

// An RTF body Outlook wrote (encapsulated HTML), from the npm package
// msg-parser 1.0.10, "test/Top level email.msg".
TEST(RtfText, ShowsTheTextOfAnOutlookBody) {
    const auto mail = message::MsgReader().ReadFile(message::testing::DataFile("top-level-email.msg"));
    const std::string rtf = message::CompressedRtf::Decompress(
        mail.properties.GetValue(message::tag::PR_RTF_COMPRESSED).ToBytes(), 1 << 20);
    const std::string text = RtfText::ToPlain(rtf);
    EXPECT_NE(text.find("Top level email text"), std::string::npos) << text;
    EXPECT_EQ(text.find("fonttbl"), std::string::npos);
    EXPECT_EQ(text.find('{'), std::string::npos) << text;
}

}  // namespace
}  // namespace ostrellix::standin::mapi
