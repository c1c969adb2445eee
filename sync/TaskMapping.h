#pragma once

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/ITaskItem.h"

namespace ostrellix::addin {


// Copies between a to-do record and an Outlook task. Tasks carry dates
// only; Outlook's "no date" clears the record's field.
class TaskMapping {
public:
    static void ToRecord(kelo::IRecord& record, const Ptr<outlook::ITaskItem>& item);
    static void ToItem(const Ptr<outlook::ITaskItem>& item, kelo::IRecord& record);
};

}  // namespace ostrellix::addin
