#pragma once

#include "contracts/mapi/IAttachments.h"
#include "standins/mapi/MessageState.h"

namespace ostrellix::standin::mapi {

// The attachments of a message. Add attaches a file by value (type 1,
// from a path), or embeds a message (type 5: a message or an Outlook item
// given as the source, or a message file's path). A display name given
// replaces the one shown (the file's name, the message's subject); the
// position is accepted and not used, as Outlook does.
class Attachments final : public api::IAttachments {
public:
    explicit Attachments(Ptr<MessageState> state) : state_(std::move(state)) {}

    Ptr<api::IAttachment> Add(const Variant& source, std::int32_t type, std::int32_t position,
                              std::string_view displayName) override;
    std::int32_t Count() override;
    Ptr<api::IAttachment> Item(std::int32_t index) override;

private:
    Ptr<MessageState> state_;
};

}  // namespace ostrellix::standin::mapi
