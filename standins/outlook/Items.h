#pragma once

#include <optional>
#include <string>
#include <vector>

#include "contracts/outlook/IItems.h"
#include "runtime/Connection.h"
#include "standins/outlook/Filter.h"
#include "standins/outlook/InstanceBound.h"
#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::outlook {

// The items of a folder, or of a restriction of it (Restrict narrows a
// collection further). The collection follows the store: it raises
// ItemAdd, ItemChange and ItemRemove for every change of its folder,
// whichever view of the store made it (a restricted collection raises
// ItemAdd and ItemChange only for the items it shows). The events wait
// in Outlook's FolderEventQueue and tell of the item as it is when they
// arrive. Filters are answered from the store's index (see FilterQuery).
class Items final : public ol::IItems, protected InstanceBound {
public:
    Items(Ptr<Instance> instance, std::string folderEntryId, std::vector<Filter> restrictions = {});

    std::int32_t Count() override;
    Ptr<ol::IItem> Item(std::int32_t index) override;
    Ptr<ol::IItem> Add(std::int32_t itemType) override;
    Ptr<ol::IItem> Find(std::string_view filter) override;
    Ptr<ol::IItem> FindNext() override;
    Ptr<ol::IItems> Restrict(std::string_view filter) override;
    ol::ItemsEvents& Events() override { return events_; }

private:
    const std::vector<FoundMessage>& Ids();
    std::vector<FoundMessage> Search(const std::vector<Filter>& filters);
    Ptr<ol::IItem> NextFound();
    // Reads the next found items ahead, when the walk is not at its last.
    void ReadAhead();
    void OnStoreChange(const StoreChange& change);
    void Announce(const StoreChange& change);

    std::string folder_;
    std::vector<Filter> restrictions_;
    std::vector<FoundMessage> ids_;
    std::uint64_t idsSerial_ = 0;
    std::vector<FoundMessage> found_;
    std::size_t nextFound_ = 0;
    // Found items before this one were read ahead (or left to be read one by one).
    std::size_t readAheadTo_ = 0;
    Connection storeConnection_;
    ol::ItemsEvents events_;
};

}  // namespace ostrellix::standin::outlook
