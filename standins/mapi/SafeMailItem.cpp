#include "standins/mapi/SafeMailItem.h"

#include "contracts/mapi/IMessage.h"
#include "standins/mapi/AddressEntry.h"
#include "standins/mapi/SessionLink.h"
#include "standins/mapi/Errors.h"
#include "standins/mapi/MessageParties.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::mapi {

void SafeMailItem::SetItem(const ObjectPtr& item) {
    if (item && !Is<api::IMessage>(item) && !Is<outlook::Item>(item)) {
        errors::Raise(errors::kInvalidArgument, "The item must be an Outlook item or a message.");
    }
    item_ = item;
}

Ptr<api::IAddressEntry> SafeMailItem::Sender() {
    if (const auto message = As<api::IMessage>(item_)) return message->Sender();
    const auto item = As<outlook::Item>(item_);
    if (!item) errors::Raise(errors::kInvalidArgument, "Set the item first: the safe item wraps nothing.");
    // The item's Outlook is the session to look the sender up in.
    auto link = std::make_shared<SessionLink>(std::make_shared<outlook::MapiLogon>(item->Outlook().shared_from_this()));
    const auto entry = MessageParties::Sender(item->Read().properties, link->Profile().Book());
    if (!entry) return nullptr;
    return std::make_shared<AddressEntry>(std::move(link), *entry);
}

}  // namespace ostrellix::standin::mapi
