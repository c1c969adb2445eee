#pragma once

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IContactItem.h"

namespace ostrellix::addin {

// Copies between a person or coworker record and an Outlook contact, by
// the fields' labels. Every property is copied on its own: one that fails
// is skipped and the rest go on.
class ContactMapping {
public:
    static void ToRecord(kelo::IRecord& record, const Ptr<outlook::IContactItem>& item);
    static void ToItem(const Ptr<outlook::IContactItem>& item, kelo::IRecord& record);
};

}  // namespace ostrellix::addin
