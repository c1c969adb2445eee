#include "standins/outlook/View.h"

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/ViewDefinition.h"

namespace ostrellix::standin::outlook {

ViewInfo View::Info() {
    for (ViewInfo& view : Live().Store().Views(folder_)) {
        if (text::EqualsIgnoreCase(view.name, name_)) return std::move(view);
    }
    errors::Raise(errors::kNotFound, "The view \"" + name_ + "\" no longer exists.");
}

ViewInfo View::CalendarInfo() {
    ViewInfo view = Info();
    if (view.viewType != ol::olCalendarView) {
        errors::Raise(errors::kFailed, "The view \"" + name_ + "\" is not a calendar view.");
    }
    return view;
}

std::string View::Name() { return Info().name; }

std::int32_t View::ViewType() { return Info().viewType; }

std::string View::XML() { return Info().xml; }

void View::SetXML(std::string_view xml) {
    Info();
    Unchecked().Store().SetViewXml(folder_, name_, xml);
}

std::int32_t View::CalendarViewMode() { return ViewDefinition::CalendarMode(CalendarInfo().xml); }

void View::SetCalendarViewMode(std::int32_t mode) {
    const ViewInfo view = CalendarInfo();
    Unchecked().Store().SetViewXml(folder_, name_, ViewDefinition::WithCalendarMode(view.xml, mode));
}

}  // namespace ostrellix::standin::outlook
