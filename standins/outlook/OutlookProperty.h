#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "standins/outlook/PropertyLocation.h"

namespace ostrellix::standin::outlook {

// The kinds of item, as bits, for the properties each kind has.
namespace kinds {
inline constexpr unsigned Mail = 1, Appointment = 2, Task = 4, Contact = 8, Meeting = 16;
inline constexpr unsigned All = Mail | Appointment | Task | Contact | Meeting;
}  // namespace kinds

// An Outlook item property reached by its Outlook name ("Subject",
// "Start", "Email1Address"), mapped to the MAPI property Outlook keeps it
// in, so that a message written from an item carries it. Filterable ones
// can be named in Find and Restrict filters and are indexed by the store;
// read-only ones are set by Outlook itself (times, sender) or through
// another member (To through the recipients).
struct OutlookProperty {
    std::string_view name;
    PropertyLocation location;
    unsigned kinds;
    bool filterable;
    bool readOnly;

    // The value kept in `bag`, or what Outlook shows for one never set:
    // its "no date", false, 0 or an empty text, by the property's type.
    Variant ValueIn(const msg::PropertyBag& bag) const;

    // Name compared without regard to case; nothing when Outlook has no such property.
    static const OutlookProperty* Find(std::string_view name);
    // A property the stand-in itself refers to; it must exist.
    static const OutlookProperty& Get(std::string_view name);
    static std::span<const OutlookProperty> All();
};

}  // namespace ostrellix::standin::outlook
