#pragma once

#include <string>

#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"
#include "contracts/outlook/IUserProperty.h"

namespace ostrellix::standin::outlook {

class Item;

// One user property of an item, by its name. Setting the value converts
// it to the property's type; once deleted, the property raises.
class UserProperty final : public ol::IUserProperty {
public:
    UserProperty(Ptr<Item> item, std::string name) : item_(std::move(item)), name_(std::move(name)) {}

    std::string Name() override;
    std::int32_t Type() override;
    Variant Value() override;
    void SetValue(const Variant& value) override;
    void Delete() override;

    // The MAPI type of a user property type, and back; raise for a type
    // this Outlook does not keep.
    static std::uint16_t MapiType(std::int32_t type);
    static std::int32_t OutlookType(std::uint16_t mapiType);
    static Variant EmptyValue(std::uint16_t mapiType);

private:
    msg::PropertyValue Stored();

    Ptr<Item> item_;
    std::string name_;
};

}  // namespace ostrellix::standin::outlook
