#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/outlook/IInspector.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/sync/RunFixture.h"

namespace ostrellix::addin {

// Synchronization on for Anna (RunTest) with the add-in attached to
// Outlook, so that its listeners watch both sides; people at both
// keyboards; and what reached each side: records stored in Kelo, items
// stored in Outlook, message boxes shown.
class ListenerTest : public RunTest {
protected:
    ListenerTest();

    static Ptr<kelo::IRecord> Person(std::string_view lastName = "Berg") {
        return StoredRecord("person", {{"lastname", Variant(lastName)}});
    }
    // A new item in its synchronization folder, stored with that subject.
    Ptr<outlook::IItem> Saved(std::int32_t itemType, std::string_view subject) {
        auto item = sync->CreateItem(itemType);
        item->SetSubject(subject);
        item->Save();
        return item;
    }
    // From here on RecordStores and ItemStores count.
    void StartCounting();
    // Times the data engine stored the record, and Outlook the item, since counting started.
    std::int32_t RecordStores(const Ptr<kelo::IRecord>& record) const;
    std::int32_t ItemStores(const std::string& entryId) const;
    std::vector<std::string> Boxes();
    // Kelo record windows opened since the test began, oldest first.
    std::vector<Ptr<standin::kelo::Inspector>> Opened();
    // The add-in's button tags on an Outlook window's "Standard" bar.
    static std::vector<std::string> Tags(const Ptr<outlook::IInspector>& window);

    standin::outlook::SimulatedUser outlookUser{Globals::Outlook()};

private:
    std::vector<std::pair<std::string, std::int32_t>> recordStores_;
    std::vector<std::string> itemStores_;
    std::vector<Ptr<standin::kelo::Inspector>> before_;
    Connection recordChanges_;
    Connection storeChanges_;
};

}  // namespace ostrellix::addin
