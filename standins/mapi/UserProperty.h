#pragma once

#include <string>

#include "contracts/outlook/IUserProperty.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// One user property of a message, by its name. Setting the value converts
// it to the property's type; once deleted, the property raises.
class UserProperty final : public ol::IUserProperty {
public:
    UserProperty(Ptr<MessageState> state, std::string name) : state_(std::move(state)), name_(std::move(name)) {}

    std::string Name() override;
    std::int32_t Type() override;
    Variant Value() override;
    void SetValue(const Variant& value) override;
    void Delete() override;

private:
    msg::PropertyValue Stored();

    Ptr<MessageState> state_;
    std::string name_;
};

}  // namespace ostrellix::standin::mapi
