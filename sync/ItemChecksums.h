#pragma once

#include <string>

#include "contracts/kelo/IRecord.h"
#include "contracts/mapi/IAppointmentItem.h"
#include "contracts/mapi/IContactItem.h"
#include "contracts/mapi/ITaskItem.h"

namespace ostrellix::addin {

// The checksums of the two sides of a synchronized pair. An item's is taken
// over the synchronized properties joined without separators (dates in the
// fixed Date text form, Booleans as True/False); a record's over the first
// 100 characters of each labelled, non-relation, non-document field, line
// breaks removed, so that edits of fields that do not synchronize do not
// make the record look changed.
class ItemChecksums {
public:
    static std::string Appointment(mapi::IAppointmentItem& item);
    static std::string Task(mapi::ITaskItem& item);
    static std::string Contact(mapi::IContactItem& item);
    static std::string Record(kelo::IRecord& record);
};

}  // namespace ostrellix::addin
