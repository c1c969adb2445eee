#include "standins/outlook/Transport.h"

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/AddressBook.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::outlook {

namespace {

namespace tag = msg::tag;
bool IsOwner(const msg::RecipientData& recipient, const AddressEntryData& owner) {
    const msg::PropertyBag& bag = recipient.properties;
    return text::EqualsIgnoreCase(bag.GetValue(tag::PR_SMTP_ADDRESS).ToString(), owner.smtpAddress) ||
           text::EqualsIgnoreCase(bag.GetValue(tag::PR_EMAIL_ADDRESS).ToString(), owner.address);
}

}  // namespace

Transport::Transport(MessageStore& store, AddressBook& book, std::string userAddress)
    : store_(store), book_(book), userAddress_(std::move(userAddress)) {}

void Transport::ResolveRecipients(msg::MessageData& data) {
    if (data.recipients.empty()) {
        errors::Raise(errors::kFailed, "There must be at least one name or contact group in the To, Cc, or Bcc box.");
    }
    for (msg::RecipientData& recipient : data.recipients) {
        if (AddressBook::FromRecipient(recipient.properties)) continue;
        const std::string name = recipient.properties.GetValue(tag::PR_DISPLAY_NAME).ToString();
        const std::optional<AddressEntryData> entry = book_.Resolve(name);
        if (!entry) errors::Raise(errors::kFailed, "Outlook does not recognize one or more names (\"" + name + "\").");
        AddressBook::FillRecipient(recipient.properties, *entry);
    }
    for (const msg::RecipientData& recipient : data.recipients) {
        const std::string address = recipient.properties.GetValue(tag::PR_SMTP_ADDRESS).ToString();
        if (refused_.contains(text::LCase(address))) {
            errors::Raise(errors::kFailed, "The server refused the recipient \"" + address + "\".");
        }
    }
    RecipientTable::UpdateDisplayLines(data);
}

void Transport::Refuse(std::string_view smtpAddress) { refused_.insert(text::LCase(smtpAddress)); }

std::string Transport::Send(msg::MessageData data, std::string_view entryId) {
    ResolveRecipients(data);
    msg::PropertyBag& bag = data.properties;
    const AddressEntryData user = book_.CurrentUser();
    AddressBook::FillSender(bag, user);
    const std::string onBehalfOf = bag.GetValue(tag::PR_SENT_REPRESENTING_NAME).ToString();
    const std::optional<AddressEntryData> represented =
        onBehalfOf.empty() || text::EqualsIgnoreCase(onBehalfOf, user.name) ? std::nullopt : book_.Resolve(onBehalfOf);
    AddressBook::FillRepresenting(bag, represented ? *represented : user);
    const Date now = store_.Clock().Now();
    bag.Set(tag::PR_CLIENT_SUBMIT_TIME, Variant(now));
    bag.Set(tag::PR_MESSAGE_DELIVERY_TIME, Variant(now));
    bag.Set(tag::PR_MESSAGE_FLAGS, Variant(message::MSGFLAG_READ));
    const bool keep = !bag.GetValue(mapi::tag::PR_DELETE_AFTER_SUBMIT).ToBoolean();

    const MailboxInfo own = *store_.Mailbox(userAddress_);
    std::string sentId;
    StoreTransaction transaction(store_);
    if (keep) {
        const FolderInfo sentItems = store_.DefaultFolder(own, ol::olFolderSentMail);
        if (entryId.empty()) {
            sentId = store_.NewEntryId(sentItems.entryId);
            store_.Create(sentItems.entryId, sentId, data);
        } else {
            sentId = std::string(entryId);
            store_.Update(entryId, data);
            store_.Move(entryId, sentItems.entryId);
        }
    } else if (!entryId.empty()) {
        store_.Delete(entryId);
    }
    for (const MailboxInfo& mailbox : store_.Mailboxes()) Deliver(data, mailbox);
    transaction.Commit();
    Sent.Raise(SentMail{std::string(entryId), sentId, bag.GetValue(tag::PR_SUBJECT).ToString(),
                        bag.GetValue(tag::PR_DISPLAY_TO).ToString(), bag.GetValue(tag::PR_DISPLAY_CC).ToString(),
                        bag.GetValue(tag::PR_DISPLAY_BCC).ToString()});
    return sentId;
}

void Transport::Deliver(const msg::MessageData& sent, const MailboxInfo& mailbox) {
    const std::optional<AddressEntryData> owner = book_.FindByAddress(mailbox.ownerAddress);
    if (!owner) return;
    bool addressed = false, toMe = false, ccMe = false;
    for (const msg::RecipientData& recipient : sent.recipients) {
        if (!IsOwner(recipient, *owner)) continue;
        addressed = true;
        toMe = toMe || RecipientTable::Type(recipient) == ol::olTo;
        ccMe = ccMe || RecipientTable::Type(recipient) == ol::olCC;
    }
    if (!addressed) return;
    msg::MessageData received = sent;
    msg::PropertyBag& bag = received.properties;
    bag.Set(tag::PR_MESSAGE_FLAGS, Variant(0));
    bag.Set(tag::PR_MESSAGE_TO_ME, Variant(toMe));
    bag.Set(tag::PR_MESSAGE_CC_ME, Variant(ccMe));
    bag.Set(tag::PR_RECEIVED_BY_NAME, Variant(owner->name));
    bag.Set(mapi::tag::PR_RECEIVED_BY_EMAIL_ADDRESS, Variant(owner->address));
    bag.Remove(mapi::tag::PR_DELETE_AFTER_SUBMIT);
    bag.Remove(tag::PR_CREATION_TIME);
    bag.Remove(tag::PR_LAST_MODIFICATION_TIME);
    const FolderInfo inbox = store_.DefaultFolder(mailbox, ol::olFolderInbox);
    store_.Create(inbox.entryId, store_.NewEntryId(inbox.entryId), received);
}

}  // namespace ostrellix::standin::outlook
