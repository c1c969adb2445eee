#pragma once

#include "contracts/mapi/IRecipients.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// The recipients of a message. Add makes an unresolved To recipient,
// AddMultiple one of the given type for each name; AddEx makes a resolved
// one of its own address (a one-off entry); ResolveAll resolves every one
// not yet resolved and tells whether all are.
class Recipients final : public api::IRecipients {
public:
    explicit Recipients(Ptr<MessageState> state) : state_(std::move(state)) {}

    Ptr<api::IRecipient> Add(std::string_view name) override;
    Ptr<api::IRecipient> AddEx(std::string_view name, std::string_view address, std::string_view addressType,
                               std::int32_t type) override;
    void AddMultiple(const std::vector<std::string>& names, std::int32_t type) override;
    std::int32_t Count() override;
    Ptr<api::IRecipient> Item(std::int32_t index) override;
    void Remove(std::int32_t index) override;
    bool ResolveAll(bool showDialog) override;

private:
    std::size_t Position(std::int32_t index);
    static void CheckType(std::int32_t type);

    Ptr<MessageState> state_;
};

}  // namespace ostrellix::standin::mapi
