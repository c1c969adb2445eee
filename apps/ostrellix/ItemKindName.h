#pragma once

#include <string>
#include <string_view>

namespace ostrellix::host {

// The word the host program uses for an Outlook item's kind, from its
// message class: mail, meeting, appointment, task, contact, or item for
// any other (a report, a note).
class ItemKindName {
public:
    static std::string Of(std::string_view messageClass);
};

}  // namespace ostrellix::host
