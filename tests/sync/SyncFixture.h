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
    // The ID of the coworker record of the Kelo user with that name.
    static std::int32_t CoworkerOf(std::string_view user);
    static bool Exists(const std::string& entryId) {
        return Globals::Outlook()->Session()->GetItemFromID(entryId) != nullptr;
    }

    // A new unsaved Outlook item in the folder synchronization uses.
    template <class T>
    Ptr<T> NewItem(std::int32_t itemType) {
        return Cast<T>(sync->CreateItem(itemType));
    }
    // A new item of the record, filled from it and marked as its pair.
    template <class T>
    Ptr<T> Enabled(std::int32_t itemType, const Ptr<kelo::IRecord>& record) {
        auto item = NewItem<T>(itemType);
        sync->UpdateItemFromRecord(item, record);
        sync->EnableSynchronization(item, record);
        return item;
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
