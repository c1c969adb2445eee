#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "standins/message/PropertyBag.h"
#include "standins/outlook/Names.h"

namespace ostrellix::standin::outlook {

class StoreDatabase;

// One entry of the address book. Type "EX" is a member of the
// organisation's directory, whose Address is its directory address
// ("/o=Org/ou=.../cn=Recipients/cn=anna") and SmtpAddress its Internet
// address; type "SMTP" is an Internet address (Address = SmtpAddress).
struct AddressEntryData {
    std::string entryId;
    std::string name;
    std::string address;
    std::string type;
    std::string smtpAddress;
};

struct AddressListData {
    std::string name;
    std::int32_t type = 0;  // olExchangeGlobalAddressList ...
};

// The profile's address book, kept in the store file: the global address
// list of the organisation (type 0) and further lists (such as the Kelo
// address book, type 3), each holding entries in the order they were added.
// Names and addresses compare without regard to case.
class AddressBook {
public:
    static constexpr const char* kGlobalList = "Global Address List";

    AddressBook(StoreDatabase& db, std::string organisation);

    // Setting the book up; each call is kept, and repeating it changes nothing.
    void EnsureList(std::string_view name, std::int32_t type);
    AddressEntryData EnsureDirectoryEntry(std::string_view name, std::string_view smtpAddress);
    AddressEntryData EnsureSmtpEntry(std::string_view listName, std::string_view name, std::string_view smtpAddress);
    void SetCurrentUser(std::string_view smtpAddress) { currentUser_ = smtpAddress; }
    // A list whose entries another program provides (the Kelo address book
    // lists the Kelo persons with an address): each read of that list by
    // name (its entries, a name resolved in it) first adds the people the
    // source names now (name, SMTP address). Entries are never taken away.
    using ListSource = std::function<std::vector<std::pair<std::string, std::string>>()>;
    void SetListSource(std::string_view listName, ListSource source);

    std::vector<AddressListData> Lists();
    std::vector<AddressEntryData> Entries(std::string_view listName);
    // The profile's user, as the directory lists it.
    AddressEntryData CurrentUser();

    // An entry by its EntryID (one-off entries included); nothing when none has it.
    std::optional<AddressEntryData> Find(std::string_view entryId);
    // The entry with that SMTP or directory address (the directory first).
    std::optional<AddressEntryData> FindByAddress(std::string_view address);
    // Name resolution as Outlook does it: an entry whose name or address is
    // the text, else the one whose name begins with it, else, for text that
    // is an Internet address, a one-off entry for it. Nothing when no entry
    // or several people match. With a list name, only that list is searched.
    std::optional<AddressEntryData> Resolve(std::string_view text, std::string_view listName = {});

    // An entry for an Internet address that the book does not hold.
    static AddressEntryData OneOff(std::string_view name, std::string_view smtpAddress);
    // A recipient's properties for an entry, and back.
    static void FillRecipient(msg::PropertyBag& recipient, const AddressEntryData& entry);
    static std::optional<AddressEntryData> FromRecipient(const msg::PropertyBag& recipient);
    // A message's sender (PR_SENDER_...) and the one it is sent for (PR_SENT_REPRESENTING_...).
    static void FillSender(msg::PropertyBag& message, const AddressEntryData& entry);
    static void FillRepresenting(msg::PropertyBag& message, const AddressEntryData& entry);

private:
    std::vector<std::pair<AddressListData, std::vector<AddressEntryData>>> All();
    std::int64_t ListId(std::string_view name);
    void Refresh(std::string_view listName);
    AddressEntryData Insert(std::int64_t listId, AddressEntryData entry);

    StoreDatabase& db_;
    std::string organisation_;
    std::string currentUser_;
    std::vector<std::pair<std::string, ListSource>> sources_;
    std::mt19937_64 random_;
};

}  // namespace ostrellix::standin::outlook
