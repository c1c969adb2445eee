#include "standins/kelo/client/ItemXmlReader.h"

#include <pugixml.hpp>

#include "runtime/ComError.h"
#include "runtime/Text.h"

namespace ostrellix::standin::kelo {

message::ContactCard ItemXmlReader::ReadFile(const std::filesystem::path& path) {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_file(path.c_str());
    if (!parsed) {
        throw ComError(errors::InvalidProcedureCall, "Kelo.ContactImport",
                       "The item XML file " + path.string() + " does not parse: " + parsed.description());
    }
    const pugi::xml_node root = document.document_element();
    if (std::string(root.name()) != "IPM") {
        throw ComError(errors::InvalidProcedureCall, "Kelo.ContactImport",
                       "The file " + path.string() + " is not an item XML file (its root is not \"IPM\")");
    }
    const auto property = [&](const char* name) { return text::Trim(root.child(name).text().as_string()); };
    message::ContactCard card;
    card.fullName = property("PR_DISPLAY_NAME").empty() ? property("PR_SUBJECT") : property("PR_DISPLAY_NAME");
    card.email1 = property("PR_EMAIL1_ADDRESS").empty() ? property("PR_EMAIL_ADDRESS") : property("PR_EMAIL1_ADDRESS");
    card.email2 = property("PR_EMAIL2_ADDRESS");
    card.businessPhone = property("PR_BUSINESS_TELEPHONE_NUMBER");
    card.mobilePhone = property("PR_MOBILE_TELEPHONE_NUMBER");
    card.homePhone = property("PR_HOME_TELEPHONE_NUMBER");
    card.businessAddress.street = property("PR_BUSINESS_ADDRESS");
    card.homeAddress.street = property("PR_HOME_ADDRESS");
    card.businessHomePage = property("PR_BUSINESS_HOME_PAGE");
    card.personalHomePage = property("PR_PERSONAL_HOME_PAGE");
    card.jobTitle = property("PR_TITLE");
    card.nickname = property("PR_NICKNAME");
    card.notes = root.child("PR_BODY").text().as_string();
    card.company = property("PR_COMPANY_NAME");
    return card;
}

}  // namespace ostrellix::standin::kelo
