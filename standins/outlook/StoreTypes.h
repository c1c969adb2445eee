#pragma once

#include <cstdint>
#include <string>

#include "standins/message/MessageData.h"
#include "standins/outlook/Names.h"
#include "standins/outlook/SharedMessage.h"

// The plain records the message store hands out and takes in.
namespace ostrellix::standin::outlook {

// A mailbox of the store: the user's own, or another user's that the
// profile opens (a shared calendar). StoreID is its identifier as Outlook's
// StoreID gives it.
struct MailboxInfo {
    std::string storeId;
    std::string ownerAddress;  // the owner's SMTP address
    std::string ownerName;
};

// A folder. Path is "\\" + the mailbox's root name + "\" + the names down
// to the folder ("\\Mailbox - Anna Berg\Inbox"); DefaultFolderType is the
// folder's role (olFolderInbox ...) or 0 for a folder the user made.
struct FolderInfo {
    std::string entryId;
    std::string storeId;
    std::string parentEntryId;  // "" for a mailbox's root folder
    std::string name;
    std::string path;
    std::int32_t itemType = 0;  // olMailItem ...
    std::int32_t defaultFolderType = 0;
};

// A message as stored: its EntryID, its folder, and a revision that grows
// on every change (a save or a move). The store's own numbers of its row
// and its folder's row come along (0 when not known), so that a save of a
// message just read need not look it up again.
struct StoredMessage {
    std::string entryId;
    std::string folderEntryId;
    std::int64_t revision = 0;
    SharedMessage data;
    std::int64_t rowId = 0;
    std::int64_t folderRowId = 0;
};

// A message a search or a folder's listing found: its row in the store,
// by which it is read again most cheaply, and its EntryID.
struct FoundMessage {
    std::int64_t rowId = 0;
    std::string entryId;
};

// What changed in the store, told after the change was committed.
struct StoreChange {
    enum class Kind { Added, Modified, Removed };
    Kind kind;
    std::string folderEntryId;
    std::string entryId;
};

// A view of a folder.
struct ViewInfo {
    std::string name;
    std::int32_t viewType = 0;  // olTableView, olCalendarView ...
    std::string xml;
};

}  // namespace ostrellix::standin::outlook
