#pragma once

#include <cstdint>
#include <string_view>

#include "contracts/outlook/IAddressLists.h"
#include "contracts/outlook/ICategories.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IRecipient.h"
#include "contracts/outlook/ISelectNamesDialog.h"

namespace ostrellix::outlook {

// The logged-on MAPI session. Lookups by EntryID give nothing when the id
// does not resolve; text that is no EntryID at all (empty, not hexadecimal)
// raises. MAPIOBJECT is the session's underlying MAPI object, which the
// MAPI library logs on with to share this session.
class INameSpace : public virtual Object {
public:
    virtual Ptr<IFolder> GetDefaultFolder(std::int32_t folderType) = 0;
    virtual Ptr<IFolder> GetFolderFromID(std::string_view entryId, std::string_view storeId = {}) = 0;
    virtual Ptr<IItem> GetItemFromID(std::string_view entryId, std::string_view storeId = {}) = 0;
    // Another user's default folder (a shared calendar).
    virtual Ptr<IFolder> GetSharedDefaultFolder(const Ptr<IRecipient>& owner, std::int32_t folderType) = 0;
    virtual Ptr<IRecipient> CreateRecipient(std::string_view name) = 0;
    virtual Ptr<IRecipient> CurrentUser() = 0;
    // The folder the user picks; nothing when cancelled.
    virtual Ptr<IFolder> PickFolder() = 0;
    virtual void SendAndReceive(bool showProgress) = 0;
    virtual Ptr<ICategories> Categories() = 0;
    virtual Ptr<IAddressLists> AddressLists() = 0;
    virtual Ptr<ISelectNamesDialog> GetSelectNamesDialog() = 0;
    virtual ObjectPtr MAPIOBJECT() = 0;
};

}  // namespace ostrellix::outlook
