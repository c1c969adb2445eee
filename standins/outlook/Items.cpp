#include "standins/outlook/Items.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::outlook {

Items::Items(Ptr<Instance> instance, std::string folderEntryId, std::vector<Filter> restrictions)
    : InstanceBound(std::move(instance)), folder_(std::move(folderEntryId)), restrictions_(std::move(restrictions)) {
    storeConnection_ =
        Unchecked().Store().Changed.Connect([this](const StoreChange& change) { OnStoreChange(change); });
}

std::vector<FoundMessage> Items::Search(const std::vector<Filter>& filters) {
    MessageStore& store = Unchecked().Store();
    if (filters.empty()) return store.MessageIds(folder_);
    std::vector<FoundMessage> matches = store.Search(folder_, filters.front());
    for (std::size_t i = 1; i < filters.size(); ++i) {
        std::unordered_set<std::int64_t> allowed;
        for (const FoundMessage& found : store.Search(folder_, filters[i])) allowed.insert(found.rowId);
        std::erase_if(matches, [&](const FoundMessage& found) { return !allowed.contains(found.rowId); });
    }
    return matches;
}

const std::vector<FoundMessage>& Items::Ids() {
    Instance& outlook = Live();
    if (idsSerial_ != outlook.Store().ChangeSerial()) {
        ids_ = Search(restrictions_);
        idsSerial_ = outlook.Store().ChangeSerial();
    }
    return ids_;
}

std::int32_t Items::Count() { return static_cast<std::int32_t>(Ids().size()); }

Ptr<ol::IItem> Items::Item(std::int32_t index) {
    const std::vector<FoundMessage>& ids = Ids();
    if (index < 1 || index > static_cast<std::int32_t>(ids.size())) {
        errors::Raise(errors::kInvalidArgument, "Array index out of bounds.");
    }
    return Unchecked().ItemFor(ids[static_cast<std::size_t>(index - 1)].entryId);
}

Ptr<ol::IItem> Items::Add(std::int32_t itemType) {
    Live();
    return Unchecked().NewItem(itemType, folder_);
}

Ptr<ol::IItem> Items::Find(std::string_view filter) {
    Live();
    std::vector<Filter> filters = restrictions_;
    filters.push_back(Filter::Parse(filter));
    found_ = Search(filters);
    nextFound_ = 0;
    readAheadTo_ = 0;
    return NextFound();
}

Ptr<ol::IItem> Items::FindNext() {
    Live();
    return NextFound();
}

Ptr<ol::IItem> Items::NextFound() {
    while (nextFound_ < found_.size()) {
        ReadAhead();
        const FoundMessage& found = found_[nextFound_++];
        if (Ptr<outlook::Item> item = Unchecked().ItemFor(found.entryId, found.rowId)) return item;
    }
    return nullptr;
}

void Items::ReadAhead() {
    // A walk through the found items reads them a batch at a time, those
    // whose objects are not alive; a single find is read as it is asked for.
    // A batch is read once: after a change to the store the rest of it is
    // read item by item.
    constexpr std::size_t kBatch = 64;
    if (nextFound_ < readAheadTo_ || found_.size() - nextFound_ < 2) return;
    Instance& outlook = Unchecked();
    readAheadTo_ = std::min(found_.size(), nextFound_ + kBatch);
    std::vector<std::int64_t> batch;
    for (std::size_t i = nextFound_; i < readAheadTo_; ++i) {
        if (!outlook.Holds(found_[i].entryId)) batch.push_back(found_[i].rowId);
    }
    if (!batch.empty()) outlook.Store().Prefetch(batch);
}

Ptr<ol::IItems> Items::Restrict(std::string_view filter) {
    Live();
    std::vector<Filter> filters = restrictions_;
    filters.push_back(Filter::Parse(filter));
    Search(filters);  // a filter that cannot be applied raises here, not later
    return std::make_shared<Items>(SharedOwner(), folder_, std::move(filters));
}

void Items::OnStoreChange(const StoreChange& change) {
    if (!Unchecked().Running() || !text::EqualsIgnoreCase(change.folderEntryId, folder_)) return;
    const std::weak_ptr<Object> self = weak_from_this();
    Unchecked().FolderEvents().Post([self, change] {
        if (const auto items = std::dynamic_pointer_cast<Items>(self.lock())) items->Announce(change);
    });
}

void Items::Announce(const StoreChange& change) {
    if (!Unchecked().Running()) return;
    if (change.kind == StoreChange::Kind::Removed) {
        events_.ItemRemove.Raise();
        return;
    }
    // The item as it is now; one that has left the folder since is not announced.
    MessageStore& store = Unchecked().Store();
    const std::optional<std::string> holder = store.FolderOfMessage(change.entryId);
    if (!holder || !text::EqualsIgnoreCase(*holder, folder_)) return;
    const Ptr<outlook::Item> item = Unchecked().ItemFor(change.entryId);
    if (!item) return;
    for (const Filter& restriction : restrictions_) {
        if (!store.Matches(change.entryId, restriction)) return;
    }
    if (change.kind == StoreChange::Kind::Added) {
        events_.ItemAdd.Raise(item);
    } else {
        events_.ItemChange.Raise(item);
    }
}

}  // namespace ostrellix::standin::outlook
