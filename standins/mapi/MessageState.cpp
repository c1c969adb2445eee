#include "standins/mapi/MessageState.h"

#include "runtime/ErrorHandling.h"
#include "standins/mapi/Errors.h"
#include "standins/message/MsgWriter.h"
#include "standins/outlook/Attachment.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/RecipientTable.h"

namespace ostrellix::standin::mapi {

MessageState::MessageState(Ptr<SessionLink> link, Home home, outlook::SharedMessage data)
    : link_(std::move(link)), home_(home), data_(std::move(data)) {}

Ptr<MessageState> MessageState::Stored(Ptr<SessionLink> link, outlook::StoredMessage stored) {
    Ptr<MessageState> state(new MessageState(std::move(link), Home::Store, std::move(stored.data)));
    state->folder_ = std::move(stored.folderEntryId);
    state->entryId_ = std::move(stored.entryId);
    state->revision_ = stored.revision;
    state->seenSerial_ = state->link_->Profile().Store().ChangeSerial();
    return state;
}

Ptr<MessageState> MessageState::Unsaved(Ptr<SessionLink> link, std::string folderEntryId, msg::MessageData data) {
    Ptr<MessageState> state(new MessageState(std::move(link), Home::Store, std::move(data)));
    state->folder_ = std::move(folderEntryId);
    state->dirty_ = true;
    return state;
}

Ptr<MessageState> MessageState::InFile(Ptr<SessionLink> link, std::filesystem::path path, msg::MessageData data) {
    Ptr<MessageState> state(new MessageState(std::move(link), Home::File, std::move(data)));
    state->path_ = std::move(path);
    return state;
}

Ptr<MessageState> MessageState::Embedded(const Ptr<MessageState>& parent, std::int32_t attachNumber) {
    Ptr<MessageState> state(new MessageState(parent->link_, Home::Embedded, {}));
    state->parent_ = parent;
    state->attachNumber_ = attachNumber;
    state->FollowParent();
    return state;
}

void MessageState::RaiseGone() {
    gone_ = true;
    errors::Raise(errors::kObjectDeleted, "The message has been deleted, sent or moved out of reach.");
}

void MessageState::Check() {
    link_->Profile();
    if (gone_) RaiseGone();
}

std::string MessageState::EntryId() {
    Check();
    return home_ == Home::Store ? entryId_ : std::string();
}

void MessageState::FollowStore() {
    if (entryId_.empty() || dirty_) return;
    outlook::MessageStore& store = link_->Profile().Store();
    const bool unchanged = store.UnchangedSince(entryId_, seenSerial_);
    seenSerial_ = store.ChangeSerial();
    if (unchanged) return;
    const std::int64_t revision = store.Revision(entryId_);
    if (revision != 0 && revision == revision_) return;
    std::optional<outlook::StoredMessage> stored;
    if (revision != 0) stored = store.Load(entryId_);
    if (!stored) RaiseGone();
    data_ = std::move(stored->data);
    folder_ = std::move(stored->folderEntryId);
    revision_ = stored->revision;
}

void MessageState::FollowParent() {
    if (dirty_) return;
    for (const msg::AttachmentData& attachment : parent_->Read().attachments) {
        if (outlook::Attachment::Number(attachment) != attachNumber_) continue;
        if (!attachment.embedded) break;
        // Embedded messages are shared between copies of a message and
        // replaced, never changed in place: the same pointer is the same content.
        if (attachment.embedded != seenEmbedded_) {
            data_ = *attachment.embedded;
            seenEmbedded_ = attachment.embedded;
        }
        return;
    }
    RaiseGone();
}

const msg::MessageData& MessageState::Read() {
    Check();
    if (home_ == Home::Store) FollowStore();
    if (home_ == Home::Embedded) FollowParent();
    return data_.Read();
}

msg::MessageData& MessageState::Edit() {
    Read();
    dirty_ = true;
    return data_.Edit();
}

void MessageState::SaveInStore() {
    const auto call = link_->Entered();
    outlook::MessageStore& store = link_->Profile().Store();
    msg::MessageData& data = data_.Edit();
    outlook::RecipientTable::UpdateDisplayLines(data);
    const bool isNew = entryId_.empty();
    const std::string id = isNew ? store.NewEntryId(folder_) : entryId_;
    dirty_ = false;
    const std::int64_t written =
        PassOn([&] { return isNew ? store.Create(folder_, id, data) : store.Update(id, data); },
               [&] { dirty_ = true; });
    entryId_ = id;
    revision_ = written;
    // Handlers of the store's events (Outlook's) may have changed it since: look again on next use.
    seenSerial_ = 0;
}

void MessageState::SaveInParent() {
    msg::MessageData& parent = parent_->Edit();
    for (msg::AttachmentData& attachment : parent.attachments) {
        if (outlook::Attachment::Number(attachment) != attachNumber_) continue;
        attachment.embedded = std::make_shared<msg::MessageData>(data_.Read());
        seenEmbedded_ = attachment.embedded;
        dirty_ = false;
        return;
    }
    RaiseGone();
}

void MessageState::Save() {
    Read();
    switch (home_) {
        case Home::Store: SaveInStore(); break;
        case Home::File:
            msg::MsgWriter::WriteFile(data_.Read(), path_, link_->FileHost());
            dirty_ = false;
            break;
        case Home::Embedded: SaveInParent(); break;
    }
}

void MessageState::Delete() {
    Check();
    if (InStore()) {
        const auto call = link_->Entered();
        link_->Profile().Store().Delete(entryId_);
    }
    gone_ = true;
}

void MessageState::MoveTo(const std::string& folderEntryId) {
    Read();
    if (home_ != Home::Store) {
        errors::Raise(errors::kNoSupport, "Only a message of the store can move; store a copy of this one instead.");
    }
    if (InStore()) {
        const auto call = link_->Entered();
        link_->Profile().Store().Move(entryId_, folderEntryId);
        revision_ = -1;  // read again on next use (unless changed here meanwhile)
        seenSerial_ = 0;
    }
    folder_ = folderEntryId;
}

}  // namespace ostrellix::standin::mapi
