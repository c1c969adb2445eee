#include <gtest/gtest.h>

#include <pugixml.hpp>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/engine/Filter.h"
#include "standins/kelo/engine/Query.h"
#include "tests/standins/kelo/KeloFixture.h"

namespace ostrellix::standin::kelo {
namespace {

using QueryTest = KeloFixture;

TEST_F(QueryTest, AnswersWithOneElementPerRecordAndTheRequestedFieldsAsAttributes) {
    auto filter = std::make_shared<Filter>();
    filter->Add("email", ostrellix::kelo::op::Contains, Variant("nordvik"));
    Query query(Engine());
    const std::string xml = query.Run(Class("person"), filter, {"idperson", "descriptive", "timestamp", "company"});

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(xml.c_str())) << xml;
    const pugi::xml_node root = document.document_element();
    std::vector<pugi::xml_node> children(root.children().begin(), root.children().end());
    ASSERT_EQ(children.size(), 2u) << xml;
    const auto maria = Load("person", IdOf("person", "lastname", Variant("Sjöberg")));
    EXPECT_STREQ(children[0].name(), "person");
    EXPECT_EQ(children[0].attribute("idperson").as_int(), maria->ID());
    EXPECT_STREQ(children[0].attribute("descriptive").as_string(), "Maria Sjöberg");
    EXPECT_EQ(children[0].attribute("timestamp").as_string(), maria->Timestamp().ToString());
    EXPECT_EQ(children[0].attribute("company").as_int(), maria->Value("company").ToLong());
    EXPECT_STREQ(children[1].attribute("descriptive").as_string(), "Johan Ek");
    EXPECT_THROW(query.Run(Class("todo"), nullptr, {"subjekt"}), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::kelo
