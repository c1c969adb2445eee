#include <gtest/gtest.h>

#include "runtime/ComError.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

using MergeTest = KeloFixture;

TEST_F(MergeTest, CodesAreReplacedByTheRecordsTexts) {
    const auto maria = Load("person", IdOf("person", "lastname", Variant("Sjöberg")));
    EXPECT_EQ(maria->Merge("Dear <FirstName> <lastname> of <company.name>, <company>", 0),
              "Dear Maria Sjöberg of Nordvik Trading AB, Nordvik Trading AB");
    EXPECT_EQ(maria->Merge("<descriptive> (#<id>)", 0), "Maria Sjöberg (#" + std::to_string(maria->ID()) + ")");
}

TEST_F(MergeTest, UnknownCodesAndCodesWithoutAValueStayAsTheyAre) {
    const auto sofie = Load("person", IdOf("person", "lastname", Variant("Dahl")));
    EXPECT_EQ(sofie->Merge("<firstname> <shoesize> <mobile> <company.name> <b>", 0),
              "Sofie <shoesize> <mobile> <company.name> <b>");
    EXPECT_EQ(sofie->Merge("a < b > c <", 0), "a < b > c <");
    EXPECT_EQ(sofie->Merge("", 0), "");
}

TEST_F(MergeTest, HtmlModeEscapesValuesAndReadsEscapedCodes) {
    auto company = Load("company", IdOf("company", "name", Variant("Nordvik Trading AB")));
    company->SetValue("name", Variant("Ek & <Son>"));
    EXPECT_EQ(company->Merge("<p style=\"x\">&lt;name&gt; / <name></p>", 2),
              "<p style=\"x\">Ek &amp; &lt;Son&gt; / Ek &amp; &lt;Son&gt;</p>");
    EXPECT_EQ(company->Merge("&lt;name&gt;", 0), "&lt;name&gt;");
    EXPECT_THROW(company->Merge("<name>", 1), ComError);
}

TEST_F(MergeTest, DescriptiveTextsLeaveOutEmptyParts) {
    auto person = NewRecord("person");
    person->SetValue("lastname", Variant("Lind"));
    EXPECT_EQ(person->Descriptive(), "Lind");
    person->SetValue("firstname", Variant("Eva  Maria"));
    EXPECT_EQ(person->Descriptive(), "Eva Maria Lind");
}

}  // namespace
}  // namespace ostrellix::standin::kelo
