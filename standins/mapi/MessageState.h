#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "standins/mapi/SessionLink.h"
#include "standins/message/MessageData.h"
#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::mapi {

// One message as the library's objects see it, and where it is kept: in the
// store (stored, or new and to be stored in a folder), in a message file,
// or inside another message as an attachment. The message object and its
// recipients, attachments and user properties all work on it.
//
// Changes are kept until Save. While it has none, a stored message follows
// the store, so that what Outlook saved is seen here, and an embedded one
// follows the message it is in. Save stores the message, writes its file
// (atomically), or puts it into the message it is in, which keeps it once
// that one is saved. Once deleted or sent, every use raises.
class MessageState {
public:
    enum class Home { Store, File, Embedded };

    static Ptr<MessageState> Stored(Ptr<SessionLink> link, outlook::StoredMessage stored);
    static Ptr<MessageState> Unsaved(Ptr<SessionLink> link, std::string folderEntryId, msg::MessageData data);
    static Ptr<MessageState> InFile(Ptr<SessionLink> link, std::filesystem::path path, msg::MessageData data);
    static Ptr<MessageState> Embedded(const Ptr<MessageState>& parent, std::int32_t attachNumber);

    const Ptr<SessionLink>& Link() const { return link_; }
    Home Where() const { return home_; }
    // "" until the message is first stored, and for one outside the store.
    std::string EntryId();
    // Stored in the store (saved at least once).
    bool InStore() const { return home_ == Home::Store && !entryId_.empty(); }

    const msg::MessageData& Read();
    msg::MessageData& Edit();
    void Save();
    // Takes the message out of the store when it is there; the object is done with.
    void Delete();
    // Moves a stored message to the folder, or makes the folder the one a
    // new message will be stored in.
    void MoveTo(const std::string& folderEntryId);
    // The message has left (it was sent): every use raises from now on.
    void Gone() { gone_ = true; }

private:
    MessageState(Ptr<SessionLink> link, Home home, outlook::SharedMessage data);
    void Check();
    void FollowStore();
    void FollowParent();
    void SaveInStore();
    void SaveInParent();
    [[noreturn]] void RaiseGone();

    Ptr<SessionLink> link_;
    Home home_;
    outlook::SharedMessage data_;
    bool dirty_ = false;
    bool gone_ = false;
    // In the store.
    std::string folder_;
    std::string entryId_;
    std::int64_t revision_ = 0;
    std::uint64_t seenSerial_ = 0;
    // In a file.
    std::filesystem::path path_;
    // In another message.
    Ptr<MessageState> parent_;
    std::int32_t attachNumber_ = -1;
    std::shared_ptr<msg::MessageData> seenEmbedded_;
};

}  // namespace ostrellix::standin::mapi
