#include "standins/mapi/MessageParties.h"

#include "runtime/Hex.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiNames.h"

namespace ostrellix::standin::mapi {

namespace {

namespace tag = msg::tag;

struct PartyTags {
    std::uint32_t entryId, name, addressType, address, smtpAddress;
};

constexpr PartyTags kSender{names::tag::PR_SENDER_ENTRYID, tag::PR_SENDER_NAME, tag::PR_SENDER_ADDRTYPE,
                            tag::PR_SENDER_EMAIL_ADDRESS, tag::PR_SENDER_SMTP_ADDRESS};
constexpr PartyTags kRepresenting{names::tag::PR_SENT_REPRESENTING_ENTRYID, tag::PR_SENT_REPRESENTING_NAME,
                                  tag::PR_SENT_REPRESENTING_ADDRTYPE, tag::PR_SENT_REPRESENTING_EMAIL_ADDRESS,
                                  tag::PR_SENT_REPRESENTING_SMTP_ADDRESS};
constexpr PartyTags kRecipient{names::tag::PR_ENTRYID, tag::PR_DISPLAY_NAME, tag::PR_ADDRTYPE, tag::PR_EMAIL_ADDRESS,
                               tag::PR_SMTP_ADDRESS};

std::string Text(const msg::PropertyBag& bag, std::uint32_t tag) {
    const Variant value = bag.GetValue(tag);
    return value.IsString() ? value.ToString() : std::string();
}

// byName: a party given by name alone (Outlook's SentOnBehalfOfName) is the entry the name resolves to.
std::optional<outlook::AddressEntryData> Party(const msg::PropertyBag& bag, const PartyTags& tags,
                                               outlook::AddressBook& book, bool byName = false) {
    const Variant id = bag.GetValue(tags.entryId);
    const std::string idHex = id.VarType() == Variant::Type::ByteArray ? HexEncode(id.ToBytes()) : "";
    outlook::AddressEntryData entry{"", Text(bag, tags.name), Text(bag, tags.address), Text(bag, tags.addressType),
                                    Text(bag, tags.smtpAddress)};
    // The message's own properties come first: an EntryID that another
    // program wrote names an entry of that program's address book, not of
    // this one (one-off EntryIDs aside, which carry the address in them).
    if (entry.address.empty() && entry.smtpAddress.empty()) {
        if (!idHex.empty()) return book.Find(idHex);
        if (byName && !entry.name.empty()) return book.Resolve(entry.name);
        return std::nullopt;
    }
    if (entry.address.empty()) entry.address = entry.smtpAddress;
    if (entry.type.empty()) entry.type = entry.address.find('@') != std::string::npos ? "SMTP" : "EX";
    if (text::EqualsIgnoreCase(entry.type, "SMTP")) {
        if (entry.smtpAddress.empty()) entry.smtpAddress = entry.address;
    } else if (const auto known = book.FindByAddress(entry.address)) {
        if (entry.smtpAddress.empty()) entry.smtpAddress = known->smtpAddress;
        entry.entryId = known->entryId;
    }
    if (entry.name.empty()) entry.name = entry.smtpAddress.empty() ? entry.address : entry.smtpAddress;
    if (entry.entryId.empty()) entry.entryId = idHex;
    if (entry.entryId.empty()) {
        const std::string& address = entry.smtpAddress.empty() ? entry.address : entry.smtpAddress;
        entry.entryId = outlook::AddressBook::OneOff(entry.name, address).entryId;
    }
    return entry;
}

}  // namespace

std::optional<outlook::AddressEntryData> MessageParties::Sender(const msg::PropertyBag& message,
                                                                outlook::AddressBook& book) {
    return Party(message, kSender, book);
}

std::optional<outlook::AddressEntryData> MessageParties::Representing(const msg::PropertyBag& message,
                                                                      outlook::AddressBook& book) {
    return Party(message, kRepresenting, book, true);
}

std::optional<outlook::AddressEntryData> MessageParties::OfRecipient(const msg::PropertyBag& recipient,
                                                                     outlook::AddressBook& book) {
    return Party(recipient, kRecipient, book);
}

outlook::AddressEntryData MessageParties::FromEntry(api::IAddressEntry& entry) {
    outlook::AddressEntryData data{entry.EntryID(), entry.Name(), entry.Address(), entry.Type(), entry.SMTPAddress()};
    if (data.entryId.empty() || !HexDecode(data.entryId)) {
        data.entryId =
            outlook::AddressBook::OneOff(data.name, data.smtpAddress.empty() ? data.address : data.smtpAddress).entryId;
    }
    return data;
}

}  // namespace ostrellix::standin::mapi
