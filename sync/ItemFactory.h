#pragma once

#include <cstdint>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// New, unsaved Outlook items in the synchronized folders.
class ItemFactory {
public:
    // olAppointmentItem, olContactItem or olTaskItem; raises for another type
    // and when no item can be made ("DatabaseNotConfigured").
    static Ptr<outlook::IItem> Create(std::int32_t itemType);
    // A contact for a person or coworker; for a to-do an appointment when it
    // has both a start and an end, else a task.
    static Ptr<outlook::IItem> ForRecord(kelo::IRecord& record);
};

}  // namespace ostrellix::addin
