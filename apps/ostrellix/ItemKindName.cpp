#include "apps/ostrellix/ItemKindName.h"

#include "runtime/Text.h"

namespace ostrellix::host {

std::string ItemKindName::Of(std::string_view messageClass) {
    // A message class names its kind and then, after a point, a form of it ("IPM.Note.SMIME").
    const auto is = [&](std::string_view kind) {
        const std::string lower = text::LCase(messageClass);
        return lower == kind || lower.starts_with(std::string(kind) + ".");
    };
    if (is("ipm.note")) return "mail";
    if (is("ipm.schedule.meeting")) return "meeting";
    if (is("ipm.appointment")) return "appointment";
    if (is("ipm.task")) return "task";
    if (is("ipm.contact")) return "contact";
    return "item";
}

}  // namespace ostrellix::host
