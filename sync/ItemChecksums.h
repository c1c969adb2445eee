#pragma once

#include <string>

#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IAppointmentItem.h"
#include "contracts/mapi/IContactItem.h"
#include "contracts/mapi/ITaskItem.h"

namespace ostrellix::addin {

// The checksums of the two sides of a synchronized pair.
//
// An item's is taken over its synchronized properties joined without
// separators, in a fixed order per kind. Dates enter in the Date text form
// (runtime/Date.h): "YYYY-MM-DD hh:mm:ss", or "YYYY-MM-DD" at midnight, and
// Outlook's "no date" as "4501-01-01". That form is the same on every
// machine and run, unlike the user's locale, so a checksum stored on an
// item stays comparable however the machine is set up. Booleans enter as
// True or False.
//
// A record's is taken over the first 100 characters of each labelled field
// that is neither a relation nor a document nor excluded, with line breaks
// removed: edits of fields that do not synchronize leave it alone.
class ItemChecksums {
public:
    static std::string Appointment(mapi::IAppointmentItem& item);
    static std::string Task(mapi::ITaskItem& item);
    static std::string Contact(mapi::IContactItem& item);
    static std::string Record(kelo::IRecord& record);
};

}  // namespace ostrellix::addin
