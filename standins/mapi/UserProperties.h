#pragma once

#include <string>

#include "contracts/outlook/IUserProperties.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// A message's user properties, kept as Outlook keeps them (string names in
// PS_PUBLIC_STRINGS, typed by their MAPI type), so that either side sees
// what the other added. Names compare without regard to case; a new one
// holds its type's empty value.
class UserProperties final : public ol::IUserProperties {
public:
    explicit UserProperties(Ptr<MessageState> state) : state_(std::move(state)) {}

    Ptr<ol::IUserProperty> Add(std::string_view name, std::int32_t type, bool addToFolderFields) override;
    Ptr<ol::IUserProperty> Find(std::string_view name) override;
    std::int32_t Count() override;
    Ptr<ol::IUserProperty> Item(std::int32_t index) override;
    void Remove(std::int32_t index) override;

private:
    std::string NameAt(std::int32_t index);

    Ptr<MessageState> state_;
};

}  // namespace ostrellix::standin::mapi
