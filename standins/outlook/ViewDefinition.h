#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::outlook {

// View definitions as Outlook writes them: an XML document whose root is
// "view"; a calendar view holds its arrangement in "view/mode".
class ViewDefinition {
public:
    // The views a new folder holding that kind of item starts with.
    static std::vector<ViewInfo> Defaults(std::int32_t itemType);

    // Raises, naming the problem, when the text is not a well-formed view definition.
    static void Validate(std::string_view xml);
    // The calendar arrangement of a definition (0 when it names none).
    static std::int32_t CalendarMode(std::string_view xml);
    static std::string WithCalendarMode(std::string_view xml, std::int32_t mode);
};

}  // namespace ostrellix::standin::outlook
