#include "tests/translation/TextKeyScanner.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ostrellix::tests {
namespace {

using ::testing::ElementsAre;
using ::testing::Field;
using ::testing::IsEmpty;

auto KeyAt(const std::string& key, int line) {
    return AllOf(Field(&TextKeyScanner::Use::key, key), Field(&TextKeyScanner::Use::line, line));
}

TEST(TextKeyScanner, FindsLiteralKeysOfLookupsAndTableMarkers) {
    const auto uses = TextKeyScanner::Scan(
        "Tools::RaiseError(Tools::GetText(\"InternalError\"));\n"
        "SetMessage(GetText(\"SendingToX\", address));\n"
        "ShowMessage(GetText(\n"
        "    \"FormPanes.RestartRequired\" ), 64);\n"
        "const FormControl kOK{\"CtrlOK\", Kind::CommandButton, TextKey( \"FormPanes.OK\" )};\n");
    EXPECT_THAT(uses, ElementsAre(KeyAt("InternalError", 1), KeyAt("SendingToX", 2),
                                  KeyAt("FormPanes.RestartRequired", 3), KeyAt("FormPanes.OK", 5)));
}

TEST(TextKeyScanner, SkipsKeysBuiltAtRunTimeAndLookalikeNames) {
    EXPECT_THAT(TextKeyScanner::Scan("GetText(form.Name() + \".\" + caption);\n"
                                     "GetText(\"HelpText.\" + name);\n"
                                     "GetText(key, p1);\n"
                                     "std::string GetText(std::string_view key);\n"
                                     "MyGetText(\"Unrelated\");\n"
                                     "GetTextKey(\"Unrelated\");\n"
                                     "TextKey(\"Unrelated\", 2);\n"
                                     "GetText(\"unterminated);\n"),
                IsEmpty());
}

TEST(TextKeyScanner, KeepsBlanksAroundKeysSoTheyCanBeReported) {
    EXPECT_THAT(TextKeyScanner::Scan("GetText(\" CategoryName\"); TextKey(\"Cancel \")"),
                ElementsAre(KeyAt(" CategoryName", 1), KeyAt("Cancel ", 1)));
}

}  // namespace
}  // namespace ostrellix::tests
