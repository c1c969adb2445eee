#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "standins/outlook/StoreTypes.h"

namespace ostrellix::standin::outlook {

class StoreDatabase;

// The mailboxes of a store and their folders, with the folders' views.
// Each mailbox has a root folder ("Mailbox - " + the owner's name) and
// under it the default folders Inbox, Outbox, Sent Items, Drafts,
// Calendar, Contacts and Tasks; EnsureMailbox makes them when the owner
// has no mailbox yet. A folder's EntryID begins with its mailbox's StoreID.
class FolderTable {
public:
    explicit FolderTable(StoreDatabase& db);

    MailboxInfo EnsureMailbox(std::string_view ownerAddress, std::string_view ownerName);
    std::optional<MailboxInfo> Mailbox(std::string_view ownerAddress);
    std::vector<MailboxInfo> Mailboxes();

    std::optional<FolderInfo> Folder(std::string_view entryId);
    // By path, names compared without regard to case.
    std::optional<FolderInfo> FolderByPath(std::string_view path);
    FolderInfo RootFolder(const MailboxInfo& mailbox);
    // Raises for a folder type that is not a default folder.
    FolderInfo DefaultFolder(const MailboxInfo& mailbox, std::int32_t folderType);
    std::vector<FolderInfo> Subfolders(std::string_view parentEntryId);
    // Raises when the parent has a folder of that name (letter case aside).
    FolderInfo CreateFolder(std::string_view parentEntryId, std::string_view name, std::int32_t itemType);

    std::vector<ViewInfo> Views(std::string_view folderEntryId);
    // Raises, changing nothing, when the definition is not well-formed.
    void SetViewXml(std::string_view folderEntryId, std::string_view viewName, std::string_view xml);

    // The folder's row in the store file; raises when there is no such folder.
    std::int64_t RowId(std::string_view folderEntryId);

private:
    std::optional<FolderInfo> FolderWhere(const char* condition, const std::string& value);
    std::string NewFolder(std::int64_t mailboxId, std::optional<std::int64_t> parentId, const std::string& storeId,
                          std::string_view name, std::int32_t itemType, std::int32_t defaultType);

    StoreDatabase& db_;
    std::mt19937_64 random_;
    // Every search and store asks for its folder's row, and every folder
    // object call for its folder. Folders are never renamed, moved or
    // deleted, so what was committed once stays true.
    std::unordered_map<std::string, std::int64_t> rowIds_;
    std::unordered_map<std::string, FolderInfo> infos_;
};

}  // namespace ostrellix::standin::outlook
