#pragma once

#include "contracts/outlook/IMeetingItem.h"
#include "standins/outlook/Item.h"

namespace ostrellix::standin::outlook {

// A meeting request (or response) in a mail folder.
class MeetingItem final : public Item, public ol::IMeetingItem {
public:
    MeetingItem(Ptr<Instance> instance, std::string folderEntryId, std::string entryId, std::int64_t revision,
                SharedMessage data)
        : Item(std::move(instance), std::move(folderEntryId), std::move(entryId), revision, std::move(data)) {}

    std::string SenderName() override { return Value(OutlookProperty::Get("SenderName")).ToString(); }

protected:
    unsigned Kind() const override { return kinds::Meeting; }
    std::string WindowKind() override { return "Meeting"; }
};

}  // namespace ostrellix::standin::outlook
