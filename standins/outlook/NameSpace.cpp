#include "standins/outlook/NameSpace.h"

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/AddressLists.h"
#include "standins/outlook/Categories.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Folder.h"
#include "standins/outlook/Item.h"
#include "standins/outlook/MapiLogon.h"
#include "standins/outlook/Recipient.h"
#include "standins/outlook/SelectNamesDialog.h"

namespace ostrellix::standin::outlook {

namespace {

// An EntryID is hexadecimal text; anything else cannot name an object at all.
void CheckEntryId(std::string_view entryId) {
    const bool hex = !entryId.empty() && entryId.size() % 2 == 0 &&
                     entryId.find_first_not_of("0123456789ABCDEFabcdef") == std::string_view::npos;
    if (!hex) errors::Raise(errors::kInvalidArgument, "\"" + std::string(entryId) + "\" is not an EntryID.");
}

}  // namespace

Ptr<ol::IFolder> NameSpace::GetDefaultFolder(std::int32_t folderType) {
    Instance& outlook = Live();
    return std::make_shared<Folder>(SharedOwner(), outlook.Store().DefaultFolder(outlook.Mailbox(), folderType).entryId);
}

Ptr<ol::IFolder> NameSpace::GetFolderFromID(std::string_view entryId, std::string_view storeId) {
    Instance& outlook = Live();
    CheckEntryId(entryId);
    const std::optional<FolderInfo> folder = outlook.Store().Folder(entryId);
    if (!folder || (!storeId.empty() && !text::EqualsIgnoreCase(folder->storeId, storeId))) return nullptr;
    return std::make_shared<Folder>(SharedOwner(), folder->entryId);
}

Ptr<ol::IItem> NameSpace::GetItemFromID(std::string_view entryId, std::string_view storeId) {
    Instance& outlook = Live();
    CheckEntryId(entryId);
    const Ptr<Item> item = outlook.ItemFor(entryId);
    if (!item || storeId.empty()) return item;
    const std::optional<FolderInfo> folder = outlook.Store().Folder(item->FolderId());
    return folder && text::EqualsIgnoreCase(folder->storeId, storeId) ? item : nullptr;
}

Ptr<ol::IFolder> NameSpace::GetSharedDefaultFolder(const Ptr<ol::IRecipient>& owner, std::int32_t folderType) {
    Instance& outlook = Live();
    const auto recipient = As<Recipient>(owner);
    if (!recipient) errors::Raise(errors::kInvalidArgument, "GetSharedDefaultFolder needs a recipient of this Outlook.");
    if (!recipient->Resolved() && !recipient->Resolve()) {
        errors::Raise(errors::kFailed, "The operation failed: \"" + recipient->Name() + "\" could not be resolved.");
    }
    const std::optional<AddressEntryData> entry = AddressBook::FromRecipient(recipient->Data().properties);
    const std::optional<MailboxInfo> mailbox = outlook.Store().Mailbox(entry->smtpAddress);
    if (!mailbox) {
        errors::Raise(errors::kFailed, "The operation failed: " + recipient->Name() +
                                           " has not shared a mailbox with this profile.");
    }
    return std::make_shared<Folder>(SharedOwner(), outlook.Store().DefaultFolder(*mailbox, folderType).entryId);
}

Ptr<ol::IRecipient> NameSpace::CreateRecipient(std::string_view name) {
    Live();
    msg::RecipientData data;
    data.properties.Set(msg::tag::PR_DISPLAY_NAME, Variant(name));
    data.properties.Set(msg::tag::PR_RECIPIENT_TYPE, Variant(ol::olTo));
    return std::make_shared<Recipient>(SharedOwner(), std::move(data));
}

Ptr<ol::IRecipient> NameSpace::CurrentUser() {
    Instance& outlook = Live();
    msg::RecipientData data;
    AddressBook::FillRecipient(data.properties, outlook.Book().CurrentUser());
    data.properties.Set(msg::tag::PR_RECIPIENT_TYPE, Variant(ol::olTo));
    return std::make_shared<Recipient>(SharedOwner(), std::move(data));
}

Ptr<ol::IFolder> NameSpace::PickFolder() {
    Instance& outlook = Live();
    const std::optional<std::string> picked = outlook.Answers().NextFolder();
    if (!picked) return nullptr;
    if (!outlook.Store().Folder(*picked)) {
        errors::Raise(errors::kInvalidArgument, "The user picked the folder " + *picked + ", which does not exist.");
    }
    return std::make_shared<Folder>(SharedOwner(), *picked);
}

void NameSpace::SendAndReceive(bool /*showProgress*/) { Live(); }

Ptr<ol::ICategories> NameSpace::Categories() {
    Live();
    return std::make_shared<outlook::Categories>(SharedOwner());
}

Ptr<ol::IAddressLists> NameSpace::AddressLists() {
    Live();
    return std::make_shared<outlook::AddressLists>(SharedOwner());
}

Ptr<ol::ISelectNamesDialog> NameSpace::GetSelectNamesDialog() {
    Live();
    return std::make_shared<SelectNamesDialog>(SharedOwner());
}

ObjectPtr NameSpace::MAPIOBJECT() {
    Live();
    return std::make_shared<MapiLogon>(SharedOwner());
}

}  // namespace ostrellix::standin::outlook
