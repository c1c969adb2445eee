#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "contracts/win/IClock.h"
#include "runtime/Signal.h"
#include "standins/outlook/Filter.h"
#include "standins/outlook/FilterQuery.h"
#include "standins/outlook/FolderTable.h"
#include "standins/outlook/IndexedKeys.h"
#include "standins/outlook/ItemIndex.h"
#include "standins/outlook/NamedPropertyMap.h"
#include "standins/outlook/RecentMessages.h"
#include "standins/outlook/StoreTypes.h"
#include "standins/system/WorkCounters.h"

namespace ostrellix::standin::outlook {

class StoreDatabase;

// The message store of a profile: mailboxes with their folders, and the
// messages in them as MAPI property bags (msg::MessageData). Outlook's
// object model and the MAPI library both work on it, each through its own
// objects; Changed tells either of what the other did.
//
// Identifiers are hexadecimal texts: a mailbox's StoreID, and EntryIDs of
// folders and messages that begin with it. A message's EntryID is chosen
// before it is first stored (NewEntryId) and then never changes, also when
// the message moves.
//
// Every change is a transaction: Create, Update, Move and Delete each
// commit on their own, or together inside a StoreTransaction. Changed is
// raised for each change after the outermost transaction committed, so a
// handler always sees the store as committed and may change it again.
//
// Times come from the clock. Create and Update set PR_LAST_MODIFICATION_TIME
// (later than the message's last one, even when the clock has not moved),
// and Create sets PR_CREATION_TIME when the message has none; both are
// written into the caller's data too, before Changed is raised.
//
// Search answers an Items filter from the index the store keeps of every
// message (ItemIndex, FilterQuery), without reading the messages; a key
// no filter used before is first indexed over every message (IndexedKeys).
// Only a search that comes down to one candidate reads that message, with
// the check, for the find that opens it next.
class MessageStore {
public:
    MessageStore(StoreDatabase& db, win::IClock& clock);

    StoreDatabase& Database() { return db_; }
    win::IClock& Clock() { return clock_; }
    NamedPropertyMap& NamedProperties() { return namedProperties_; }
    // The work counted so far: loads, searches and folder scans here, and
    // the MAPI library's opens of stored messages.
    system::WorkCounters& Counters() { return *counters_; }
    void CountIn(system::WorkCounters& counters) { counters_ = &counters; }

    // Mailboxes and folders (see FolderTable).
    MailboxInfo EnsureMailbox(std::string_view ownerAddress, std::string_view ownerName) {
        return folders_.EnsureMailbox(ownerAddress, ownerName);
    }
    std::optional<MailboxInfo> Mailbox(std::string_view ownerAddress) { return folders_.Mailbox(ownerAddress); }
    std::vector<MailboxInfo> Mailboxes() { return folders_.Mailboxes(); }
    std::optional<FolderInfo> Folder(std::string_view entryId) { return folders_.Folder(entryId); }
    std::optional<FolderInfo> FolderByPath(std::string_view path) { return folders_.FolderByPath(path); }
    FolderInfo RootFolder(const MailboxInfo& mailbox) { return folders_.RootFolder(mailbox); }
    FolderInfo DefaultFolder(const MailboxInfo& mailbox, std::int32_t folderType) {
        return folders_.DefaultFolder(mailbox, folderType);
    }
    std::vector<FolderInfo> Subfolders(std::string_view parentEntryId) { return folders_.Subfolders(parentEntryId); }
    FolderInfo CreateFolder(std::string_view parentEntryId, std::string_view name, std::int32_t itemType);
    std::vector<ViewInfo> Views(std::string_view folderEntryId) { return folders_.Views(folderEntryId); }
    void SetViewXml(std::string_view folderEntryId, std::string_view viewName, std::string_view xml) {
        folders_.SetViewXml(folderEntryId, viewName, xml);
    }

    // A new EntryID for a message to be stored in the folder.
    std::string NewEntryId(std::string_view folderEntryId);
    // Stores a new message; returns its revision. Raises when the folder
    // does not exist or the EntryID is taken.
    std::int64_t Create(std::string_view folderEntryId, std::string_view entryId, msg::MessageData& data);
    // Replaces a stored message's content; returns its new revision. Raises
    // (the item was moved or deleted) when there is no such message.
    std::int64_t Update(std::string_view entryId, msg::MessageData& data);
    void Move(std::string_view entryId, std::string_view folderEntryId);
    void Delete(std::string_view entryId);

    // `rowId`, when known (FoundMessage), is where a read looks first.
    std::optional<StoredMessage> Load(std::string_view entryId, std::int64_t rowId = 0);
    // Reads the messages found in `rows` (FoundMessage::rowId) in one
    // statement; Load then finds each of them without a read of its own,
    // as long as nothing in the store changes meanwhile. For a walk through
    // many found items, whose reads one by one cost a statement and a read
    // transaction each. Rows are read in the order given: in the order a
    // search found them, that is the order they lie in the file.
    void Prefetch(std::span<const std::int64_t> rows);
    bool Prefetched(std::string_view entryId) const;
    // The EntryID of the folder that holds the message; nothing when there is no such message.
    std::optional<std::string> FolderOfMessage(std::string_view entryId);
    // The message's revision; 0 when there is no such message.
    std::int64_t Revision(std::string_view entryId);
    // The folder's messages in the order they were stored there.
    std::vector<FoundMessage> MessageIds(std::string_view folderEntryId);
    // The folder's messages that match, in the order they were stored there.
    std::vector<FoundMessage> Search(std::string_view folderEntryId, const Filter& filter);
    bool Matches(std::string_view entryId, const Filter& filter);

    // Grows with every change; a reader that saw the same number has seen everything.
    std::uint64_t ChangeSerial() const { return serial_; }
    // True when the message surely did not change after the change serial
    // `seen` (0: not known): a reader that saw it then need not look again.
    bool UnchangedSince(std::string_view entryId, std::uint64_t seen) const;

    Signal<const StoreChange&> Changed;

private:
    friend class StoreTransaction;
    void BeginWrite();
    void CommitWrite();
    void RollbackWrite();
    void Notify(StoreChange change);

    // Where a message is stored, for a save, with the index entries its
    // row holds when they were read with it.
    struct StoredRow {
        std::int64_t id;
        std::int64_t folderId;
        std::int64_t revision;
        std::string folderEntryId;
        std::optional<std::vector<ItemIndex::Entry>> entries;
    };
    // Raises when there is no such message.
    StoredRow RowOf(std::string_view entryId);
    // The index entries the message's row holds: those RowOf read, or read now.
    std::vector<ItemIndex::Entry> EntriesOf(StoredRow& row);

    void IndexKeysOf(const Filter& filter);
    FilterQuery Query(const Filter& filter, std::string_view folderEntryId);
    void StampTimes(msg::MessageData& data, bool isNew);
    std::vector<ItemIndex::Entry> IndexRows(const msg::MessageData& data) const;
    // Brings the item's rows of the lookup table from `was` to `rows`.
    void WriteIndex(std::int64_t itemId, std::int64_t folderId, const std::vector<ItemIndex::Entry>& rows,
                    const std::vector<ItemIndex::Entry>& was);
    // `rows`: the message's index rows, when they are at hand.
    void Keep(const StoredMessage& message, std::optional<std::vector<ItemIndex::Entry>> rows = std::nullopt);
    // The kept message when it is `entryId`'s and nothing changed since.
    const StoredMessage* Kept(std::string_view entryId) const;

    StoreDatabase& db_;
    win::IClock& clock_;
    NamedPropertyMap namedProperties_;
    FolderTable folders_;
    IndexedKeys indexed_;
    std::mt19937_64 random_;
    std::uint64_t serial_ = 1;
    // The change serial of each message's last change in this process
    // (which alone writes the store), and of the last rollback, which may
    // have undone any change made inside it.
    std::unordered_map<std::string, std::uint64_t> changedAt_;
    std::uint64_t rolledBackAt_ = 0;
    std::vector<StoreChange> pending_;
    // The message decoded or written last and the change serial it was
    // read or written at: the object model and the MAPI library often open
    // one message one after the other, and while nothing changed the
    // second open needs no read. While its revision is the item's, it is
    // also what the item's index rows hold, whatever else changed.
    std::optional<StoredMessage> lastLoaded_;
    std::uint64_t lastLoadedSerial_ = 0;
    // The kept message's index rows (IndexRows), once worked out.
    std::optional<std::vector<ItemIndex::Entry>> lastRows_;
    // Messages read one by one lately, read again while unchanged.
    RecentMessages recent_{2048};
    // Messages read ahead (Prefetch) by EntryID, valid at that serial; each
    // is handed out once.
    std::unordered_map<std::string, StoredMessage> prefetched_;
    std::uint64_t prefetchedSerial_ = 0;
    system::WorkCounters ownCounters_;
    system::WorkCounters* counters_ = &ownCounters_;
};

// Several store changes as one transaction: all of them or none reach the
// store, and Changed is raised for them after Commit.
class StoreTransaction {
public:
    explicit StoreTransaction(MessageStore& store);
    ~StoreTransaction();
    StoreTransaction(const StoreTransaction&) = delete;
    StoreTransaction& operator=(const StoreTransaction&) = delete;
    void Commit();

private:
    MessageStore& store_;
    bool done_ = false;
};

}  // namespace ostrellix::standin::outlook
