#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/win/IClock.h"
#include "standins/outlook/AddressBook.h"
#include "standins/outlook/CategoryList.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/outlook/Transport.h"

namespace ostrellix::standin::outlook {

struct PersonSetup {
    std::string name;
    std::string smtpAddress;
};

struct AddressListSetup {
    std::string name;  // "Kelo Address Book"
    std::int32_t type = 3;
    std::vector<PersonSetup> entries;
};

// What a profile is made of: the store file (":memory:" for a store that
// lives with the profile), its user and the organisation, the colleagues in
// the organisation's directory, the colleagues whose mailboxes the profile
// also opens (their shared calendars), and further address lists.
struct ProfileSetup {
    std::string storePath;
    PersonSetup user;
    std::string organisation = "Ostrellix";
    std::vector<PersonSetup> colleagues;
    std::vector<std::string> sharedMailboxes;  // SMTP addresses of colleagues
    std::vector<AddressListSetup> addressLists;
};

// An Outlook profile: the message store and address book that every start
// of Outlook works on, and the MAPI library through Outlook's MAPIOBJECT.
// It outlives the Outlook instances started on it. Opening it makes sure
// the store holds the user's mailbox and the shared ones, and the address
// book the directory and the lists of the setup.
class Profile {
public:
    Profile(ProfileSetup setup, win::IClock& clock);

    // $XDG_DATA_HOME/ostrellix/Outlook.store, or ~/.local/share/ostrellix/Outlook.store.
    static std::string DefaultStorePath();

    const ProfileSetup& Setup() const { return setup_; }
    win::IClock& Clock() { return clock_; }
    MessageStore& Store() { return store_; }
    AddressBook& Book() { return book_; }
    Transport& Mailer() { return transport_; }
    CategoryList& Categories() { return categories_; }
    // The user's own mailbox.
    const MailboxInfo& Mailbox() const { return mailbox_; }

    // The version every Outlook started on the profile reports ("16.0.0.0"
    // unless an older Outlook is installed).
    const std::string& Version() const { return version_; }
    void SetVersion(std::string version) { version_ = std::move(version); }

    // Printing: what was printed, in order (the titles of the printed items).
    void Print(std::string title) { printed_.push_back(std::move(title)); }
    const std::vector<std::string>& Printed() const { return printed_; }

private:
    ProfileSetup setup_;
    win::IClock& clock_;
    StoreDatabase db_;
    MessageStore store_;
    AddressBook book_;
    Transport transport_;
    CategoryList categories_;
    MailboxInfo mailbox_;
    std::vector<std::string> printed_;
    std::string version_ = "16.0.0.0";
};

}  // namespace ostrellix::standin::outlook
