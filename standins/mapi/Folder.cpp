#include "standins/mapi/Folder.h"

#include "standins/mapi/Errors.h"
#include "standins/mapi/FileImport.h"
#include "standins/mapi/Message.h"
#include "standins/mapi/Messages.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/Profile.h"

namespace ostrellix::standin::mapi {

std::string Folder::EntryID() {
    link_->Profile();
    return entryId_;
}

std::string Folder::Name() {
    const auto folder = link_->Profile().Store().Folder(entryId_);
    if (!folder) errors::Raise(errors::kNotFound, "The folder " + entryId_ + " no longer exists.");
    return folder->name;
}

std::string Folder::StoreID() {
    const auto folder = link_->Profile().Store().Folder(entryId_);
    if (!folder) errors::Raise(errors::kNotFound, "The folder " + entryId_ + " no longer exists.");
    return folder->storeId;
}

Ptr<api::IMessages> Folder::Items() {
    link_->Profile();
    return std::make_shared<Messages>(link_, entryId_);
}

std::vector<Ptr<api::IMessage>> Folder::Import(std::string_view path, std::int32_t format) {
    const auto call = link_->Entered();
    outlook::MessageStore& store = link_->Profile().Store();
    msg::MessageData data = FileImport::Read(std::string(path), format, link_->FileHost());
    // The folder's mailbox is the one the mail reached, as if delivered there.
    const auto folder = store.Folder(entryId_);
    for (const outlook::MailboxInfo& mailbox : store.Mailboxes()) {
        if (!folder || mailbox.storeId != folder->storeId) continue;
        if (const auto owner = link_->Profile().Book().FindByAddress(mailbox.ownerAddress)) {
            FileImport::MarkReceived(data, *owner);
        }
    }
    const std::string entryId = store.NewEntryId(entryId_);
    const std::int64_t revision = store.Create(entryId_, entryId, data);
    return {Message::Open(MessageState::Stored(link_, {entryId, entryId_, revision, std::move(data)}))};
}

}  // namespace ostrellix::standin::mapi
