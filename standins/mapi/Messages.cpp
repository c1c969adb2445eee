#include "standins/mapi/Messages.h"

#include "standins/mapi/Errors.h"
#include "standins/mapi/Message.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::mapi {

Ptr<api::IMessage> Messages::Add(std::string_view messageClass) {
    link_->Profile();
    msg::MessageData data;
    data.properties.Set(msg::tag::PR_MESSAGE_CLASS, Variant(messageClass.empty() ? "IPM.Note" : messageClass));
    data.properties.Set(msg::tag::PR_MESSAGE_FLAGS, Variant(msg::MSGFLAG_UNSENT | msg::MSGFLAG_READ));
    return Message::Open(MessageState::Unsaved(link_, folder_, std::move(data)));
}

std::int32_t Messages::Count() {
    return static_cast<std::int32_t>(link_->Profile().Store().MessageIds(folder_).size());
}

Ptr<api::IMessage> Messages::Item(std::int32_t index) {
    outlook::MessageStore& store = link_->Profile().Store();
    const std::vector<outlook::FoundMessage> ids = store.MessageIds(folder_);
    if (index < 1 || index > static_cast<std::int32_t>(ids.size())) {
        errors::Raise(errors::kInvalidArgument, "The folder has no message " + std::to_string(index) + ".");
    }
    std::optional<outlook::StoredMessage> stored = store.Load(ids[static_cast<std::size_t>(index - 1)].entryId);
    if (!stored) errors::Raise(errors::kNotFound, "The message has been deleted.");
    ++store.Counters().mapiOpens;
    return Message::Open(MessageState::Stored(link_, std::move(*stored)));
}

}  // namespace ostrellix::standin::mapi
