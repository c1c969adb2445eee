#pragma once

#include <string_view>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// Files Outlook things in Kelo: an item (found by its mark, or a new record
// made, linked and filled), an item by EntryID, a message file, and the
// mails and files a user drops on a Kelo window. A dropped item is always
// a temporary copy: it is deleted at once, or by the record window it was
// shown in when that closes.
class ItemImporter {
public:
    static Ptr<kelo::IRecord> ImportRecordFromItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context);
    static Ptr<kelo::IRecord> ImportRecordFromEntryID(std::string_view entryId, const ObjectPtr& context);
    static Ptr<kelo::IRecord> ImportRecordFromFile(std::string_view filename, const ObjectPtr& context);
    static void DropItem(const Ptr<outlook::IItem>& item, const ObjectPtr& context);
    static void DropFile(std::string_view filename, const ObjectPtr& context);
};

}  // namespace ostrellix::addin
