#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "sync/Synchronizer.h"
#include "tests/support/AddinWorld.h"

namespace ostrellix::addin {

using FieldValue = std::pair<const char*, Variant>;

// The add-in loaded on the demo machine with Outlook running, and the
// shortcuts the synchronization tests share.
class SyncTest : public ::testing::Test {
protected:
    testing::AddinWorld world{{.outlookRunning = true}};
    Ptr<Synchronizer> sync = Globals::Synchronizer();

    static Ptr<kelo::IRecord> NewRecord(std::string_view className, std::initializer_list<FieldValue> values = {});
    static Ptr<kelo::IRecord> StoredRecord(std::string_view className, std::initializer_list<FieldValue> values);
    // The record as the database holds it, in a fresh object.
    static Ptr<kelo::IRecord> Reloaded(const Ptr<kelo::IRecord>& record);

    // A new unsaved Outlook item in the folder synchronization uses.
    template <class T>
    Ptr<T> NewItem(std::int32_t itemType) {
        return Cast<T>(sync->CreateItem(itemType));
    }
    // The item as the store holds it, in a fresh object.
    template <class T>
    static Ptr<T> Reloaded(const Ptr<T>& item) {
        return Cast<T>(Globals::Outlook()->Session()->GetItemFromID(item->EntryID()));
    }
    std::string Mark(const Ptr<outlook::IItem>& item, std::string_view name) {
        return sync->GetItemProperty(item, name).ToString();
    }
};

}  // namespace ostrellix::addin
