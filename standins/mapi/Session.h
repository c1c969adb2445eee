#pragma once

#include "contracts/mapi/ISession.h"
#include "standins/mapi/SessionLink.h"

namespace ostrellix::standin::mapi {

// "ZQOutRed.ZQRDOSession": logs on by being given Outlook's MAPIOBJECT and
// from then on works on that profile's store and address book, which it
// shares with Outlook. Every call before logon raises; once that Outlook
// has quit, LoggedOn is false and calls raise the disconnected error.
class Session final : public api::ISession {
public:
    ObjectPtr MAPIOBJECT() override;
    void SetMAPIOBJECT(const ObjectPtr& mapiObject) override;
    bool LoggedOn() override;

    Ptr<api::IMessage> GetMessageFromID(std::string_view entryId) override;
    Ptr<api::IAddressEntry> GetAddressEntryFromID(std::string_view entryId) override;
    Ptr<api::IAddressBook> AddressBook() override;
    Ptr<api::IFolder> GetDefaultFolder(std::int32_t folderType) override;
    Ptr<api::IFolder> GetFolderFromID(std::string_view entryId) override;
    // createNew writes a new, empty message file at once (replacing one
    // that is there); otherwise the file is read.
    Ptr<api::IMessage> GetMessageFromMsgFile(std::string_view path, bool createNew) override;
    Ptr<api::IAddressEntry> CurrentUser() override;

private:
    const Ptr<SessionLink>& Link() const;

    Ptr<SessionLink> link_;
};

}  // namespace ostrellix::standin::mapi
