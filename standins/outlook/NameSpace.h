#pragma once

#include "contracts/outlook/INameSpace.h"
#include "standins/outlook/InstanceBound.h"

namespace ostrellix::standin::outlook {

// The "MAPI" namespace: the profile's session. There is no network, so
// SendAndReceive has nothing to do (mail is delivered as it is sent).
// PickFolder gives the folder the user picks (DialogAnswers; nothing when
// cancelled). MAPIOBJECT is a MapiLogon, through which the MAPI library
// works on the same store.
class NameSpace final : public ol::INameSpace, protected InstanceBound {
public:
    using InstanceBound::InstanceBound;

    Ptr<ol::IFolder> GetDefaultFolder(std::int32_t folderType) override;
    Ptr<ol::IFolder> GetFolderFromID(std::string_view entryId, std::string_view storeId) override;
    Ptr<ol::IItem> GetItemFromID(std::string_view entryId, std::string_view storeId) override;
    Ptr<ol::IFolder> GetSharedDefaultFolder(const Ptr<ol::IRecipient>& owner, std::int32_t folderType) override;
    Ptr<ol::IRecipient> CreateRecipient(std::string_view name) override;
    Ptr<ol::IRecipient> CurrentUser() override;
    Ptr<ol::IFolder> PickFolder() override;
    void SendAndReceive(bool showProgress) override;
    Ptr<ol::ICategories> Categories() override;
    Ptr<ol::IAddressLists> AddressLists() override;
    Ptr<ol::ISelectNamesDialog> GetSelectNamesDialog() override;
    ObjectPtr MAPIOBJECT() override;
};

}  // namespace ostrellix::standin::outlook
