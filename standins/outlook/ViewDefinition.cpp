#include "standins/outlook/ViewDefinition.h"

#include <pugixml.hpp>
#include <sstream>

#include "contracts/outlook/Constants.h"
#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

namespace {

std::string Column(const char* heading, const char* property) {
    return std::string("<column><heading>") + heading + "</heading><prop>" + property + "</prop></column>";
}

std::string TableView(const std::string& name, const std::string& columns, const char* sortProperty) {
    return "<?xml version=\"1.0\"?>\n<view type=\"table\"><viewname>" + name + "</viewname>" + columns +
           "<orderby><order><prop>" + sortProperty + "</prop><sort>desc</sort></order></orderby></view>";
}

std::string CalendarView(const std::string& name) {
    return "<?xml version=\"1.0\"?>\n<view type=\"calendar\"><viewname>" + name +
           "</viewname><mode>0</mode><startfield>urn:schemas:calendar:dtstart</startfield>"
           "<endfield>urn:schemas:calendar:dtend</endfield></view>";
}

std::string CardView(const std::string& name) {
    return "<?xml version=\"1.0\"?>\n<view type=\"card\"><viewname>" + name +
           "</viewname><cardtitle><prop>urn:schemas:contacts:fileas</prop></cardtitle></view>";
}

pugi::xml_document Load(std::string_view xml) {
    pugi::xml_document document;
    const pugi::xml_parse_result result = document.load_buffer(xml.data(), xml.size());
    if (!result) {
        errors::Raise(errors::kInvalidArgument,
                      std::string("The view definition is not well-formed XML: ") + result.description());
    }
    if (std::string_view(document.document_element().name()) != "view") {
        errors::Raise(errors::kInvalidArgument, "The view definition's root element is not \"view\".");
    }
    return document;
}

}  // namespace

std::vector<ViewInfo> ViewDefinition::Defaults(std::int32_t itemType) {
    const std::string mailColumns = Column("From", "urn:schemas:httpmail:fromname") +
                                    Column("Subject", "urn:schemas:httpmail:subject") +
                                    Column("Received", "urn:schemas:httpmail:datereceived");
    switch (itemType) {
        case ol::olAppointmentItem:
            return {{"Calendar", ol::olCalendarView, CalendarView("Calendar")},
                    {"Preview", ol::olCalendarView, CalendarView("Preview")},
                    {"List", ol::olTableView,
                     TableView("List", Column("Subject", "urn:schemas:httpmail:subject") +
                                           Column("Start", "urn:schemas:calendar:dtstart"),
                               "urn:schemas:calendar:dtstart")}};
        case ol::olContactItem:
            return {{"Business Card", ol::olBusinessCardView, CardView("Business Card")},
                    {"Card", ol::olCardView, CardView("Card")},
                    {"Phone", ol::olTableView,
                     TableView("Phone", Column("Full Name", "urn:schemas:contacts:cn") +
                                            Column("Business Phone", "urn:schemas:contacts:telephoneNumber"),
                               "urn:schemas:contacts:fileas")}};
        case ol::olTaskItem:
            return {{"Simple List", ol::olTableView,
                     TableView("Simple List", Column("Subject", "urn:schemas:httpmail:subject") +
                                                  Column("Due Date", "http://schemas.microsoft.com/mapi/id/"
                                                                     "{00062003-0000-0000-C000-000000000046}/81050040"),
                               "urn:schemas:httpmail:subject")},
                    {"To-Do List", ol::olTableView,
                     TableView("To-Do List", Column("Subject", "urn:schemas:httpmail:subject"),
                               "urn:schemas:httpmail:subject")}};
        default:
            return {{"Compact", ol::olTableView,
                     TableView("Compact", mailColumns, "urn:schemas:httpmail:datereceived")},
                    {"Single", ol::olTableView, TableView("Single", mailColumns, "urn:schemas:httpmail:datereceived")},
                    {"Preview", ol::olTableView,
                     TableView("Preview", mailColumns, "urn:schemas:httpmail:datereceived")}};
    }
}

void ViewDefinition::Validate(std::string_view xml) { Load(xml); }

std::int32_t ViewDefinition::CalendarMode(std::string_view xml) {
    const pugi::xml_document document = Load(xml);
    return document.child("view").child("mode").text().as_int(0);
}

std::string ViewDefinition::WithCalendarMode(std::string_view xml, std::int32_t mode) {
    if (mode < ol::olCalendarViewDay || mode > ol::olCalendarView5DayWeek) {
        errors::Raise(errors::kInvalidArgument, "The calendar view mode " + std::to_string(mode) + " does not exist.");
    }
    pugi::xml_document document = Load(xml);
    pugi::xml_node view = document.child("view");
    pugi::xml_node node = view.child("mode");
    if (!node) node = view.append_child("mode");
    // The whole content becomes the mode: a second text run left behind
    // (split by a comment) would join the new digit when read again.
    node.remove_children();
    node.text().set(mode);
    std::ostringstream out;
    document.save(out, "", pugi::format_raw);
    return out.str();
}

}  // namespace ostrellix::standin::outlook
