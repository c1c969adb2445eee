#pragma once

#include <set>
#include <string>
#include <string_view>

#include "runtime/Signal.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class AddressBook;
class MessageStore;
struct MailboxInfo;

// A message the transport took, as its send log tells it.
struct SentMail {
    std::string entryId;  // of the message sent; "" when it was not stored
    std::string keptAs;   // EntryID of its copy in Sent Items; "" when none is kept
    std::string subject;
    std::string to, cc, bcc;  // the display lines of its recipients
};

// Sending mail inside the store; there is no network. A sent message is
// marked sent by the profile's user (or on behalf of PR_SENT_REPRESENTING_NAME
// when that names someone else), keeps a copy in the user's Sent Items
// unless PR_DELETE_AFTER_SUBMIT is set, and is delivered, as a received
// message, to the Inbox of every mailbox of the store whose owner is among
// its recipients. The outgoing server may be set to refuse addresses: a
// message to one of them is not sent at all.
class Transport {
public:
    Transport(MessageStore& store, AddressBook& book, std::string userAddress);

    // Sends `data`; `entryId` is the message's EntryID when it is stored
    // (it moves to Sent Items, or is deleted), "" when it is not. All of it
    // is one transaction. Raises, sending nothing, when the message has no
    // recipient, a recipient cannot be resolved or the server refuses one. Returns the EntryID of
    // the Sent Items copy, "" when none is kept.
    std::string Send(msg::MessageData data, std::string_view entryId);

    // Raised for every message sent, once its transaction committed.
    Signal<const SentMail&> Sent;

    // From now on the server refuses mail to this SMTP address (any case).
    void Refuse(std::string_view smtpAddress);

private:
    void ResolveRecipients(msg::MessageData& data);
    void Deliver(const msg::MessageData& sent, const MailboxInfo& mailbox);

    MessageStore& store_;
    AddressBook& book_;
    std::string userAddress_;
    std::set<std::string> refused_;  // in lower case
};

}  // namespace ostrellix::standin::outlook
