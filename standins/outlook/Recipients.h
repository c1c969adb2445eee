#pragma once

#include "standins/outlook/Names.h"
#include "contracts/outlook/IRecipients.h"

namespace ostrellix::standin::outlook {

class Item;

// The recipients of an item (a mail's addressees, a meeting's attendees).
// Add makes an unresolved To recipient; ResolveAll resolves every
// unresolved one in the address book and tells whether all are resolved.
class Recipients final : public ol::IRecipients {
public:
    explicit Recipients(Ptr<outlook::Item> item) : item_(std::move(item)) {}

    Ptr<ol::IRecipient> Add(std::string_view name) override;
    std::int32_t Count() override;
    Ptr<ol::IRecipient> Item(std::int32_t index) override;
    void Remove(std::int32_t index) override;
    bool ResolveAll() override;

private:
    std::size_t Position(std::int32_t index);

    Ptr<outlook::Item> item_;
};

}  // namespace ostrellix::standin::outlook
