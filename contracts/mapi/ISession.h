#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/mapi/IAddressBook.h"
#include "contracts/mapi/IFolder.h"

namespace ostrellix::mapi {

// A session of the MAPI library ("ZQOutRed.ZQRDOSession"). It logs on by
// being given Outlook's MAPIOBJECT, and then works on the same store.
// Calls before logon raise. Lookups by EntryID raise when the id does not
// resolve.
class ISession : public virtual Object {
public:
    virtual ObjectPtr MAPIOBJECT() = 0;
    virtual void SetMAPIOBJECT(const ObjectPtr& mapiObject) = 0;
    virtual bool LoggedOn() = 0;

    virtual Ptr<IMessage> GetMessageFromID(std::string_view entryId) = 0;
    virtual Ptr<IAddressEntry> GetAddressEntryFromID(std::string_view entryId) = 0;
    virtual Ptr<IAddressBook> AddressBook() = 0;
    virtual Ptr<IFolder> GetDefaultFolder(std::int32_t folderType) = 0;
    // Any folder of the stores the session reaches.
    virtual Ptr<IFolder> GetFolderFromID(std::string_view entryId) = 0;
    // A message file opened (or created new) as a message; SaveAs writes it back.
    virtual Ptr<IMessage> GetMessageFromMsgFile(std::string_view path, bool createNew = false) = 0;
    virtual Ptr<IAddressEntry> CurrentUser() = 0;
};

}  // namespace ostrellix::mapi
