#pragma once

#include "contracts/mapi/IRecipients.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// The recipients of a message. Add makes an unresolved To recipient;
// ResolveAll resolves every one not yet resolved and tells whether all are.
class Recipients final : public api::IRecipients {
public:
    explicit Recipients(Ptr<MessageState> state) : state_(std::move(state)) {}

    Ptr<api::IRecipient> Add(std::string_view name) override;
    std::int32_t Count() override;
    Ptr<api::IRecipient> Item(std::int32_t index) override;
    void Remove(std::int32_t index) override;
    bool ResolveAll(bool showDialog) override;

private:
    std::size_t Position(std::int32_t index);

    Ptr<MessageState> state_;
};

}  // namespace ostrellix::standin::mapi
