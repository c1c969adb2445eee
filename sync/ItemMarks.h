#pragma once

#include "contracts/outlook/IItem.h"

namespace ostrellix::addin {

// The user properties that pair an Outlook item with a Kelo record. Taking
// them off is not the synchronizer's public business (it offers
// DisableSynchronizationForItem), but the synchronization run takes them
// off an item whose record another item already claims.
class ItemMarks {
public:
    static constexpr const char* kKeloID = "KeloID";
    static constexpr const char* kKeloChecksum = "KeloChecksum";
    static constexpr const char* kKeloDatabase = "KeloDatabase";

    // Deletes the three marks, clears the categories and saves the item;
    // each step that fails is skipped.
    static void Remove(const Ptr<outlook::IItem>& item);
};

}  // namespace ostrellix::addin
