#include "mail/XmlDataTypes.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ostrellix::addin {
namespace {

TEST(XmlDataTypesTest, EachKindOfValueHasItsTypeAndTextForm) {
    struct Case {
        Variant value;
        const char* type;
        const char* text;
    };
    const Case cases[] = {
        {Variant(std::int16_t{-7}), "int", "-7"},
        {Variant(2), "int", "2"},
        {Variant(2.5), "float", "2.5"},
        {Variant(Date::FromParts(2024, 5, 1, 10, 15, 30)), "datetime", "2024-05-01T10:15:30"},
        {Variant(Date::FromParts(2024, 5, 1)), "datetime", "2024-05-01T00:00:00"},
        {Variant(Date::FromTime(10, 0)), "datetime", "1899-12-30T10:00:00"},
        {Variant(Bytes{0x00, 0x01, 0x02, 0xFF}), "bin.base64", "AAEC/w=="},
        {Variant("Offert <stolar> & bord"), "", "Offert <stolar> & bord"},
        {Variant(true), "", "True"},
    };
    pugi::xml_document document;
    const pugi::xml_node root = document.append_child("IPM");
    for (const Case& c : cases) XmlDataTypes::AppendValue(root, "Value", c.value);
    XmlDataTypes::AppendValue(root, "Value", Variant());

    // Read back from the text, as the consumer of the XML reads it.
    std::ostringstream saved;
    document.save(saved);
    pugi::xml_document read;
    ASSERT_TRUE(read.load_string(saved.str().c_str()));
    auto element = read.child("IPM").children("Value").begin();
    for (const Case& c : cases) {
        ASSERT_NE(element, read.child("IPM").children("Value").end());
        EXPECT_EQ(XmlDataTypes::DataType(*element), c.type) << c.text;
        EXPECT_STREQ(element->text().get(), c.text);
        ++element;
    }
    EXPECT_EQ(element, read.child("IPM").children("Value").end()) << "an Empty value gets no element";
}

TEST(XmlDataTypesTest, TheTypeAttributeIsKnownByItsNamespaceNotItsPrefix) {
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(R"(<IPM xmlns:t="urn:schemas-microsoft-com:datatypes">
        <Other t:dt="int"/>
        <Elsewhere xmlns:dt="urn:example:other" dt:dt="int"/>
        <Unbound dt:dt="int"/>
        <Rebound xmlns:t="urn:example:other" t:dt="int"/>
        <Both xmlns:dt="urn:example:other" dt:dt="int" t:dt="float"/>
        <Plain dt="int"/>
    </IPM>)"));
    const std::pair<const char*, const char*> expected[] = {{"Other", "int"}, {"Elsewhere", ""}, {"Unbound", ""},
                                                            {"Rebound", ""},  {"Both", "float"}, {"Plain", ""}};
    for (const auto& [name, type] : expected) {
        EXPECT_EQ(XmlDataTypes::DataType(document.child("IPM").child(name)), type) << name;
    }
}

}  // namespace
}  // namespace ostrellix::addin
