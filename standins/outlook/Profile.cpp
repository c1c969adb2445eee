#include "standins/outlook/Profile.h"

#include <cstdlib>
#include <filesystem>

#include "standins/outlook/Errors.h"

namespace ostrellix::standin::outlook {

namespace {
const ProfileSetup& Checked(const ProfileSetup& setup) {
    if (setup.user.smtpAddress.find('@') == std::string::npos || setup.user.name.empty()) {
        errors::Raise(errors::kInvalidArgument, "A profile needs its user's name and SMTP address.");
    }
    return setup;
}
}  // namespace

Profile::Profile(ProfileSetup setup, win::IClock& clock)
    : setup_(Checked(setup)),
      clock_(clock),
      db_(setup_.storePath.empty() ? DefaultStorePath() : setup_.storePath),
      store_(db_, clock_),
      book_(db_, setup_.organisation),
      transport_(store_, book_, setup_.user.smtpAddress),
      categories_(db_) {
    book_.EnsureDirectoryEntry(setup_.user.name, setup_.user.smtpAddress);
    for (const PersonSetup& colleague : setup_.colleagues) {
        book_.EnsureDirectoryEntry(colleague.name, colleague.smtpAddress);
    }
    for (const AddressListSetup& list : setup_.addressLists) {
        book_.EnsureList(list.name, list.type);
        for (const PersonSetup& entry : list.entries) book_.EnsureSmtpEntry(list.name, entry.name, entry.smtpAddress);
    }
    book_.SetCurrentUser(setup_.user.smtpAddress);
    mailbox_ = store_.EnsureMailbox(setup_.user.smtpAddress, setup_.user.name);
    for (const std::string& address : setup_.sharedMailboxes) {
        const std::optional<AddressEntryData> owner = book_.FindByAddress(address);
        if (!owner) {
            errors::Raise(errors::kInvalidArgument,
                          "The shared mailbox of " + address + " belongs to no one in the organisation's directory.");
        }
        store_.EnsureMailbox(owner->smtpAddress, owner->name);
    }
}

std::string Profile::DefaultStorePath() {
    std::filesystem::path base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) {
        base = data;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return (base / "ostrellix" / "Outlook.store").string();
}

}  // namespace ostrellix::standin::outlook
