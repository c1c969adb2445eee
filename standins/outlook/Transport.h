#pragma once

#include <string>
#include <string_view>

#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class AddressBook;
class MessageStore;
struct MailboxInfo;

// Sending mail inside the store; there is no network. A sent message is
// marked sent by the profile's user (or on behalf of PR_SENT_REPRESENTING_NAME
// when that names someone else), keeps a copy in the user's Sent Items
// unless PR_DELETE_AFTER_SUBMIT is set, and is delivered, as a received
// message, to the Inbox of every mailbox of the store whose owner is among
// its recipients.
class Transport {
public:
    Transport(MessageStore& store, AddressBook& book, std::string userAddress);

    // Sends `data`; `entryId` is the message's EntryID when it is stored
    // (it moves to Sent Items, or is deleted), "" when it is not. All of it
    // is one transaction. Raises, sending nothing, when the message has no
    // recipient or a recipient cannot be resolved. Returns the EntryID of
    // the Sent Items copy, "" when none is kept.
    std::string Send(msg::MessageData data, std::string_view entryId);

private:
    void ResolveRecipients(msg::MessageData& data);
    void Deliver(const msg::MessageData& sent, const MailboxInfo& mailbox);

    MessageStore& store_;
    AddressBook& book_;
    std::string userAddress_;
};

}  // namespace ostrellix::standin::outlook
