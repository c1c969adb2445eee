#pragma once

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IAppointmentItem.h"

namespace ostrellix::addin {


// Copies between a to-do record and an Outlook appointment, field by field
// through the to-do class's labels. Neither direction saves anything.
class AppointmentMapping {
public:
    static void ToRecord(kelo::IRecord& record, const Ptr<outlook::IAppointmentItem>& item);
    static void ToItem(const Ptr<outlook::IAppointmentItem>& item, kelo::IRecord& record);
};

}  // namespace ostrellix::addin
