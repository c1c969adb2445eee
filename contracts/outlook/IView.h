#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Object.h"

namespace ostrellix::outlook {

// A view of a folder: its name, its type (olCalendarView for the calendar
// arrangements), and its definition as XML text. A calendar view's
// CalendarViewMode (olCalendarViewDay ... olCalendarView5DayWeek) is the
// "view/mode" element of that XML, so setting either changes both;
// CalendarViewMode raises on a view of another type. Changes are kept at once.
class IView : public virtual Object {
public:
    virtual std::string Name() = 0;
    virtual std::int32_t ViewType() = 0;
    virtual std::string XML() = 0;
    // Raises, keeping the old definition, when the text is not well-formed XML.
    virtual void SetXML(std::string_view xml) = 0;
    virtual std::int32_t CalendarViewMode() = 0;
    virtual void SetCalendarViewMode(std::int32_t mode) = 0;
};

}  // namespace ostrellix::outlook
