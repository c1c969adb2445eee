#pragma once

#include <string>
#include <vector>

#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"
#include "contracts/outlook/IUserProperties.h"

namespace ostrellix::standin::outlook {

class Item;

// An item's user properties: the named properties with string names in
// PS_PUBLIC_STRINGS (Outlook's own "Keywords" aside), typed by their MAPI
// type (olText text, olNumber double, olDateTime date, olYesNo Boolean,
// olInteger 32-bit integer). Names compare without regard to case. A new
// property holds its type's empty value ("", 0, 4501-01-01, False).
class UserProperties final : public ol::IUserProperties {
public:
    explicit UserProperties(Ptr<outlook::Item> item) : item_(std::move(item)) {}

    Ptr<ol::IUserProperty> Add(std::string_view name, std::int32_t type, bool addToFolderFields) override;
    Ptr<ol::IUserProperty> Find(std::string_view name) override;
    std::int32_t Count() override;
    Ptr<ol::IUserProperty> Item(std::int32_t index) override;
    void Remove(std::int32_t index) override;

    // The names of the item's user properties, as stored.
    static std::vector<std::string> Names(const msg::MessageData& message);

private:
    std::string NameAt(std::int32_t index);

    Ptr<outlook::Item> item_;
};

}  // namespace ostrellix::standin::outlook
