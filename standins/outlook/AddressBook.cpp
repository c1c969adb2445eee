#include "standins/outlook/AddressBook.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include "contracts/outlook/Constants.h"
#include "runtime/Hex.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Identifiers.h"
#include "standins/outlook/MapiNames.h"
#include "standins/outlook/OneOffEntryId.h"
#include "standins/outlook/StoreDatabase.h"

namespace ostrellix::standin::outlook {

namespace {

// Entries come from this book or from OneOff, so their EntryIDs are hex;
// one that is not is a fault of the caller, raised rather than stored.
Bytes EntryIdBytes(const AddressEntryData& entry) {
    if (auto bytes = HexDecode(entry.entryId)) return std::move(*bytes);
    errors::Raise(errors::kInvalidArgument, "\"" + entry.entryId + "\" of " + entry.name + " is not an EntryID.");
}

bool IsInternetAddress(std::string_view text) {
    const auto at = text.find('@');
    return at != std::string_view::npos && at > 0 && at + 1 < text.size() &&
           text.find_first_of(" ;,<>") == std::string_view::npos;
}

}  // namespace

AddressBook::AddressBook(StoreDatabase& db, std::string organisation)
    : db_(db), organisation_(std::move(organisation)), random_(std::random_device{}()) {
    EnsureList(kGlobalList, ol::olExchangeGlobalAddressList);
}

void AddressBook::EnsureList(std::string_view name, std::int32_t type) {
    db_.Guard("add an address list", [&] {
        SQLite::Statement insert(db_.Sql(), "INSERT OR IGNORE INTO address_lists(name, list_type) VALUES(?, ?)");
        insert.bind(1, std::string(name));
        insert.bind(2, type);
        insert.exec();
    });
}

std::int64_t AddressBook::ListId(std::string_view name) {
    return db_.Guard("read an address list", [&] {
        SQLite::Statement query(db_.Sql(), "SELECT id FROM address_lists WHERE name = ?");
        query.bind(1, std::string(name));
        if (!query.executeStep()) {
            errors::Raise(errors::kNotFound, "The address book has no list named \"" + std::string(name) + "\".");
        }
        return query.getColumn(0).getInt64();
    });
}

AddressEntryData AddressBook::Insert(std::int64_t listId, AddressEntryData entry) {
    db_.Guard("add an address entry", [&] {
        SQLite::Statement query(db_.Sql(),
                                "SELECT entry_id, name, address, address_type, smtp_address FROM address_entries "
                                "WHERE list_id = ? AND smtp_address = ?");
        query.bind(1, listId);
        query.bind(2, entry.smtpAddress);
        if (query.executeStep()) {
            entry = {query.getColumn(0).getString(), query.getColumn(1).getString(), query.getColumn(2).getString(),
                     query.getColumn(3).getString(), query.getColumn(4).getString()};
            return;
        }
        entry.entryId = "00000000DCA740C8C042101AB4B908002B2FE182" + ids::RandomHex(random_, 16);
        SQLite::Statement insert(db_.Sql(),
                                 "INSERT INTO address_entries(entry_id, list_id, name, address, address_type, "
                                 "smtp_address) VALUES(?, ?, ?, ?, ?, ?)");
        insert.bind(1, entry.entryId);
        insert.bind(2, listId);
        insert.bind(3, entry.name);
        insert.bind(4, entry.address);
        insert.bind(5, entry.type);
        insert.bind(6, entry.smtpAddress);
        insert.exec();
    });
    return entry;
}

AddressEntryData AddressBook::EnsureDirectoryEntry(std::string_view name, std::string_view smtpAddress) {
    const std::string local(smtpAddress.substr(0, smtpAddress.find('@')));
    const std::string address = "/o=" + organisation_ +
                                "/ou=Administrative Group/cn=Recipients/cn=" +
                                text::LCase(local);
    return Insert(ListId(kGlobalList), {"", std::string(name), address, "EX", std::string(smtpAddress)});
}

AddressEntryData AddressBook::EnsureSmtpEntry(std::string_view listName, std::string_view name,
                                              std::string_view smtpAddress) {
    return Insert(ListId(listName),
                  {"", std::string(name), std::string(smtpAddress), "SMTP", std::string(smtpAddress)});
}

void AddressBook::SetListSource(std::string_view listName, ListSource source) {
    EnsureList(listName, ol::olOutlookLdapAddressList);
    sources_.emplace_back(std::string(listName), std::move(source));
}

void AddressBook::Refresh(std::string_view listName) {
    for (const auto& [name, source] : sources_) {
        if (!text::EqualsIgnoreCase(name, listName)) continue;
        for (const auto& [person, address] : source()) {
            if (!address.empty()) EnsureSmtpEntry(name, person, address);
        }
    }
}

std::vector<std::pair<AddressListData, std::vector<AddressEntryData>>> AddressBook::All() {
    return db_.Guard("read the address book", [&] {
        std::vector<std::pair<AddressListData, std::vector<AddressEntryData>>> lists;
        std::vector<std::int64_t> ids;
        SQLite::Statement query(db_.Sql(), "SELECT id, name, list_type FROM address_lists ORDER BY id");
        while (query.executeStep()) {
            ids.push_back(query.getColumn(0).getInt64());
            lists.push_back({{query.getColumn(1).getString(), query.getColumn(2).getInt()}, {}});
        }
        SQLite::Statement entries(db_.Sql(),
                                  "SELECT entry_id, name, address, address_type, smtp_address FROM address_entries "
                                  "WHERE list_id = ? ORDER BY id");
        for (std::size_t i = 0; i < ids.size(); ++i) {
            entries.bind(1, ids[i]);
            while (entries.executeStep()) {
                lists[i].second.push_back({entries.getColumn(0).getString(), entries.getColumn(1).getString(),
                                           entries.getColumn(2).getString(), entries.getColumn(3).getString(),
                                           entries.getColumn(4).getString()});
            }
            entries.reset();
        }
        return lists;
    });
}

std::vector<AddressListData> AddressBook::Lists() {
    std::vector<AddressListData> lists;
    for (auto& [list, entries] : All()) lists.push_back(list);
    return lists;
}

std::vector<AddressEntryData> AddressBook::Entries(std::string_view listName) {
    Refresh(listName);
    for (auto& [list, entries] : All()) {
        if (text::EqualsIgnoreCase(list.name, listName)) return entries;
    }
    errors::Raise(errors::kNotFound, "The address book has no list named \"" + std::string(listName) + "\".");
}

AddressEntryData AddressBook::CurrentUser() {
    if (auto user = FindByAddress(currentUser_)) return *user;
    errors::Raise(errors::kNotFound, "The profile's user " + currentUser_ + " is not in the address book.");
}

std::optional<AddressEntryData> AddressBook::Find(std::string_view entryId) {
    if (const auto oneOff = OneOffEntryId::Read(entryId)) {
        const bool smtp = text::EqualsIgnoreCase(oneOff->type, "SMTP");
        return AddressEntryData{std::string(entryId), oneOff->name, oneOff->address, oneOff->type,
                                smtp ? oneOff->address : std::string()};
    }
    for (auto& [list, entries] : All()) {
        for (AddressEntryData& entry : entries) {
            if (text::EqualsIgnoreCase(entry.entryId, entryId)) return std::move(entry);
        }
    }
    return std::nullopt;
}

std::optional<AddressEntryData> AddressBook::FindByAddress(std::string_view address) {
    if (address.empty()) return std::nullopt;
    for (auto& [list, entries] : All()) {
        for (AddressEntryData& entry : entries) {
            if (text::EqualsIgnoreCase(entry.smtpAddress, address) || text::EqualsIgnoreCase(entry.address, address)) {
                return std::move(entry);
            }
        }
    }
    return std::nullopt;
}

std::optional<AddressEntryData> AddressBook::Resolve(std::string_view text, std::string_view listName) {
    const std::string wanted = text::Trim(text);
    if (wanted.empty()) return std::nullopt;
    if (!listName.empty()) Refresh(listName);
    std::vector<AddressEntryData> candidates;
    for (auto& [list, entries] : All()) {
        if (listName.empty() || text::EqualsIgnoreCase(list.name, listName)) {
            candidates.insert(candidates.end(), entries.begin(), entries.end());
        }
    }
    // The first entry of the one person all matches agree on (by SMTP address).
    auto single = [](const std::vector<const AddressEntryData*>& matches) -> std::optional<AddressEntryData> {
        if (matches.empty()) return std::nullopt;
        for (const AddressEntryData* match : matches) {
            if (!text::EqualsIgnoreCase(match->smtpAddress, matches.front()->smtpAddress)) return std::nullopt;
        }
        return *matches.front();
    };
    std::vector<const AddressEntryData*> exact, prefix;
    const std::string lower = text::LCase(wanted);
    for (const AddressEntryData& entry : candidates) {
        if (text::EqualsIgnoreCase(entry.name, wanted) || text::EqualsIgnoreCase(entry.smtpAddress, wanted) ||
            text::EqualsIgnoreCase(entry.address, wanted)) {
            exact.push_back(&entry);
        } else if (text::LCase(entry.name).rfind(lower, 0) == 0) {
            prefix.push_back(&entry);
        }
    }
    if (!exact.empty()) return single(exact);
    if (!prefix.empty()) return single(prefix);
    if (IsInternetAddress(wanted)) return OneOff(wanted, wanted);
    return std::nullopt;
}

AddressEntryData AddressBook::OneOff(std::string_view name, std::string_view smtpAddress) {
    return {OneOffEntryId::Make(name, "SMTP", smtpAddress), std::string(name), std::string(smtpAddress), "SMTP",
            std::string(smtpAddress)};
}

void AddressBook::FillRecipient(msg::PropertyBag& recipient, const AddressEntryData& entry) {
    recipient.Set(msg::tag::PR_DISPLAY_NAME, Variant(entry.name));
    recipient.Set(msg::tag::PR_EMAIL_ADDRESS, Variant(entry.address));
    recipient.Set(msg::tag::PR_ADDRTYPE, Variant(entry.type));
    recipient.Set(msg::tag::PR_SMTP_ADDRESS, Variant(entry.smtpAddress));
    recipient.Set(mapi::tag::PR_ENTRYID, Variant(EntryIdBytes(entry)));
}

void AddressBook::FillSender(msg::PropertyBag& message, const AddressEntryData& entry) {
    message.Set(msg::tag::PR_SENDER_NAME, Variant(entry.name));
    message.Set(msg::tag::PR_SENDER_EMAIL_ADDRESS, Variant(entry.address));
    message.Set(msg::tag::PR_SENDER_ADDRTYPE, Variant(entry.type));
    message.Set(message::tag::PR_SENDER_SMTP_ADDRESS, Variant(entry.smtpAddress));
    message.Set(mapi::tag::PR_SENDER_ENTRYID, Variant(EntryIdBytes(entry)));
}

void AddressBook::FillRepresenting(msg::PropertyBag& message, const AddressEntryData& entry) {
    message.Set(msg::tag::PR_SENT_REPRESENTING_NAME, Variant(entry.name));
    message.Set(msg::tag::PR_SENT_REPRESENTING_EMAIL_ADDRESS, Variant(entry.address));
    message.Set(msg::tag::PR_SENT_REPRESENTING_ADDRTYPE, Variant(entry.type));
    message.Set(message::tag::PR_SENT_REPRESENTING_SMTP_ADDRESS, Variant(entry.smtpAddress));
    message.Set(mapi::tag::PR_SENT_REPRESENTING_ENTRYID, Variant(EntryIdBytes(entry)));
}

std::optional<AddressEntryData> AddressBook::FromRecipient(const msg::PropertyBag& recipient) {
    const Variant id = recipient.GetValue(mapi::tag::PR_ENTRYID);
    if (id.VarType() != Variant::Type::ByteArray) return std::nullopt;
    const Bytes& bytes = id.ToBytes();
    return AddressEntryData{HexEncode(bytes),
                            recipient.GetValue(msg::tag::PR_DISPLAY_NAME).ToString(),
                            recipient.GetValue(msg::tag::PR_EMAIL_ADDRESS).ToString(),
                            recipient.GetValue(msg::tag::PR_ADDRTYPE).ToString(),
                            recipient.GetValue(msg::tag::PR_SMTP_ADDRESS).ToString()};
}

}  // namespace ostrellix::standin::outlook
