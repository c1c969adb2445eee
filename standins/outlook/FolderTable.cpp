#include "standins/outlook/FolderTable.h"

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <algorithm>

#include "contracts/outlook/Constants.h"
#include "runtime/Text.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Identifiers.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/outlook/ViewDefinition.h"

namespace ostrellix::standin::outlook {

namespace {

struct DefaultFolderKind {
    std::int32_t type;
    const char* name;
    std::int32_t itemType;
};

constexpr DefaultFolderKind kDefaultFolders[] = {
    {ol::olFolderInbox, "Inbox", ol::olMailItem},          {ol::olFolderOutbox, "Outbox", ol::olMailItem},
    {ol::olFolderSentMail, "Sent Items", ol::olMailItem},  {ol::olFolderDrafts, "Drafts", ol::olMailItem},
    {ol::olFolderCalendar, "Calendar", ol::olAppointmentItem}, {ol::olFolderContacts, "Contacts", ol::olContactItem},
    {ol::olFolderTasks, "Tasks", ol::olTaskItem},          {ol::olFolderDeletedItems, "Deleted Items", ol::olMailItem},
};

constexpr const char* kFolderSelect =
    "SELECT f.id, f.entry_id, m.store_id, coalesce(p.entry_id, ''), f.name, f.item_type, f.default_type "
    "FROM folders f JOIN mailboxes m ON m.id = f.mailbox_id LEFT JOIN folders p ON p.id = f.parent_id WHERE ";

void Bind(SQLite::Statement& statement, int index, std::string_view value) {
    statement.bind(index, std::string(value));
}

void BindId(SQLite::Statement& statement, int index, std::string_view id) {
    statement.bind(index, ids::Normalized(id));
}

}  // namespace

FolderTable::FolderTable(StoreDatabase& db) : db_(db), random_(std::random_device{}()) {}

std::optional<MailboxInfo> FolderTable::Mailbox(std::string_view ownerAddress) {
    return db_.Guard("read a mailbox", [&]() -> std::optional<MailboxInfo> {
        SQLite::Statement query(db_.Sql(),
                                "SELECT store_id, owner_address, owner_name FROM mailboxes WHERE owner_address = ?");
        Bind(query, 1, ownerAddress);
        if (!query.executeStep()) return std::nullopt;
        return MailboxInfo{query.getColumn(0).getString(), query.getColumn(1).getString(),
                           query.getColumn(2).getString()};
    });
}

std::vector<MailboxInfo> FolderTable::Mailboxes() {
    return db_.Guard("read the mailboxes", [&] {
        std::vector<MailboxInfo> mailboxes;
        SQLite::Statement query(db_.Sql(), "SELECT store_id, owner_address, owner_name FROM mailboxes ORDER BY id");
        while (query.executeStep()) {
            mailboxes.push_back({query.getColumn(0).getString(), query.getColumn(1).getString(),
                                 query.getColumn(2).getString()});
        }
        return mailboxes;
    });
}

MailboxInfo FolderTable::EnsureMailbox(std::string_view ownerAddress, std::string_view ownerName) {
    if (auto existing = Mailbox(ownerAddress)) return *existing;
    MailboxInfo mailbox{"00000000" + ids::RandomHex(random_, 32), std::string(ownerAddress), std::string(ownerName)};
    db_.Guard("create a mailbox", [&] {
        StoreDatabase::Transaction transaction(db_);
        SQLite::Statement insert(db_.Sql(),
                                 "INSERT INTO mailboxes(store_id, owner_address, owner_name) VALUES(?, ?, ?)");
        insert.bind(1, mailbox.storeId);
        insert.bind(2, mailbox.ownerAddress);
        insert.bind(3, mailbox.ownerName);
        insert.exec();
        const std::int64_t mailboxId = db_.Sql().getLastInsertRowid();
        const std::string root =
            NewFolder(mailboxId, std::nullopt, mailbox.storeId, "Mailbox - " + mailbox.ownerName, ol::olMailItem, 0);
        const std::int64_t rootId = RowId(root);
        for (const DefaultFolderKind& kind : kDefaultFolders) {
            NewFolder(mailboxId, rootId, mailbox.storeId, kind.name, kind.itemType, kind.type);
        }
        transaction.Commit();
    });
    return mailbox;
}

std::string FolderTable::NewFolder(std::int64_t mailboxId, std::optional<std::int64_t> parentId,
                                    const std::string& storeId, std::string_view name, std::int32_t itemType,
                                    std::int32_t defaultType) {
    const std::string entryId = storeId + "0100" + ids::RandomHex(random_, 16);
    SQLite::Statement insert(db_.Sql(),
                             "INSERT INTO folders(entry_id, mailbox_id, parent_id, name, item_type, default_type) "
                             "VALUES(?, ?, ?, ?, ?, ?)");
    insert.bind(1, entryId);
    insert.bind(2, mailboxId);
    if (parentId) insert.bind(3, *parentId);
    Bind(insert, 4, name);
    insert.bind(5, itemType);
    insert.bind(6, defaultType);
    insert.exec();
    const std::int64_t folderId = db_.Sql().getLastInsertRowid();
    int position = 0;
    for (const ViewInfo& view : ViewDefinition::Defaults(itemType)) {
        SQLite::Statement add(db_.Sql(),
                              "INSERT INTO views(folder_id, position, name, view_type, xml) VALUES(?, ?, ?, ?, ?)");
        add.bind(1, folderId);
        add.bind(2, ++position);
        add.bind(3, view.name);
        add.bind(4, view.viewType);
        add.bind(5, view.xml);
        add.exec();
    }
    return entryId;
}

std::int64_t FolderTable::RowId(std::string_view folderEntryId) {
    std::string key = ids::Normalized(folderEntryId);
    if (const auto known = rowIds_.find(key); known != rowIds_.end()) return known->second;
    SQLite::Statement& query = db_.Prepared("SELECT id FROM folders WHERE entry_id = ?");
    query.bind(1, key);
    if (!query.executeStep()) {
        errors::Raise(errors::kNotFound, "The folder " + std::string(folderEntryId) + " does not exist.");
    }
    const std::int64_t id = query.getColumn(0).getInt64();
    query.reset();
    // Folders are never deleted, so a committed folder keeps its row; one
    // read inside a transaction could still be rolled back.
    if (db_.Depth() == 0) rowIds_.emplace(std::move(key), id);
    return id;
}

std::optional<FolderInfo> FolderTable::FolderWhere(const char* condition, const std::string& value) {
    return db_.Guard("read a folder", [&]() -> std::optional<FolderInfo> {
        SQLite::Statement& query = db_.Prepared(std::string(kFolderSelect) + condition);
        query.bind(1, value);
        if (!query.executeStep()) return std::nullopt;
        FolderInfo folder{query.getColumn(1).getString(), query.getColumn(2).getString(),
                          query.getColumn(3).getString(), query.getColumn(4).getString(), "",
                          query.getColumn(5).getInt(), query.getColumn(6).getInt()};
        // The path, from the folder up to its mailbox's root.
        std::string path;
        std::int64_t id = query.getColumn(0).getInt64();
        query.reset();
        SQLite::Statement& up = db_.Prepared("SELECT parent_id, name FROM folders WHERE id = ?");
        for (;;) {
            up.bind(1, id);
            if (!up.executeStep()) break;
            path = "\\" + up.getColumn(1).getString() + path;
            if (up.getColumn(0).isNull()) break;
            id = up.getColumn(0).getInt64();
            up.reset();
        }
        up.reset();
        folder.path = "\\" + path;
        return folder;
    });
}

std::optional<FolderInfo> FolderTable::Folder(std::string_view entryId) {
    std::string key = ids::Normalized(entryId);
    if (const auto known = infos_.find(key); known != infos_.end()) return known->second;
    std::optional<FolderInfo> folder = FolderWhere("f.entry_id = ?", key);
    // As with rows: a committed folder stays as it is, one read inside a transaction could still be rolled back.
    if (folder && db_.Depth() == 0) infos_.emplace(std::move(key), *folder);
    return folder;
}

std::optional<FolderInfo> FolderTable::FolderByPath(std::string_view path) {
    if (path.substr(0, 2) != "\\\\") return std::nullopt;
    const std::vector<std::string> names = text::Split(path.substr(2), "\\");
    if (names.empty()) return std::nullopt;
    std::optional<FolderInfo> folder;
    for (const MailboxInfo& mailbox : Mailboxes()) {
        FolderInfo root = RootFolder(mailbox);
        if (text::EqualsIgnoreCase(root.name, names.front())) folder = std::move(root);
    }
    for (std::size_t i = 1; folder && i < names.size(); ++i) {
        std::optional<FolderInfo> child;
        for (FolderInfo& sub : Subfolders(folder->entryId)) {
            if (text::EqualsIgnoreCase(sub.name, names[i])) child = std::move(sub);
        }
        folder = std::move(child);
    }
    return folder;
}

FolderInfo FolderTable::RootFolder(const MailboxInfo& mailbox) {
    auto root = FolderWhere("m.store_id = ? AND f.parent_id IS NULL", mailbox.storeId);
    if (!root) errors::Raise(errors::kNotFound, "The mailbox of " + mailbox.ownerName + " has no root folder.");
    return *root;
}

FolderInfo FolderTable::DefaultFolder(const MailboxInfo& mailbox, std::int32_t folderType) {
    const auto find = [&] {
        return db_.Guard("read a default folder", [&]() -> std::optional<FolderInfo> {
            SQLite::Statement query(db_.Sql(),
                                    "SELECT f.entry_id FROM folders f JOIN mailboxes m ON m.id = f.mailbox_id "
                                    "WHERE m.store_id = ? AND f.default_type = ?");
            query.bind(1, mailbox.storeId);
            query.bind(2, folderType);
            if (!query.executeStep() || folderType == 0) return std::nullopt;
            return Folder(query.getColumn(0).getString());
        });
    };
    std::optional<FolderInfo> folder = find();
    // A store made before a default folder was known gets it when it is first asked for, as Outlook
    // recreates a default folder that is missing.
    const auto kind = std::ranges::find(kDefaultFolders, folderType, &DefaultFolderKind::type);
    if (!folder && kind != std::end(kDefaultFolders)) {
        const FolderInfo root = RootFolder(mailbox);
        db_.Guard("create a default folder", [&] {
            StoreDatabase::Transaction transaction(db_);
            SQLite::Statement query(db_.Sql(), "SELECT id, mailbox_id FROM folders WHERE entry_id = ?");
            Bind(query, 1, root.entryId);
            query.executeStep();
            NewFolder(query.getColumn(1).getInt64(), query.getColumn(0).getInt64(), root.storeId, kind->name,
                      kind->itemType, kind->type);
            transaction.Commit();
        });
        folder = find();
    }
    if (!folder) {
        errors::Raise(errors::kInvalidArgument,
                      "There is no default folder of type " + std::to_string(folderType) + " in this store.");
    }
    return *folder;
}

std::vector<FolderInfo> FolderTable::Subfolders(std::string_view parentEntryId) {
    const std::vector<std::string> ids = db_.Guard("read the subfolders", [&] {
        std::vector<std::string> entryIds;
        SQLite::Statement query(db_.Sql(),
                                "SELECT f.entry_id FROM folders f JOIN folders p ON p.id = f.parent_id "
                                "WHERE p.entry_id = ? ORDER BY f.id");
        BindId(query, 1, parentEntryId);
        while (query.executeStep()) entryIds.push_back(query.getColumn(0).getString());
        return entryIds;
    });
    std::vector<FolderInfo> folders;
    for (const std::string& id : ids) {
        if (auto folder = Folder(id)) folders.push_back(std::move(*folder));
    }
    return folders;
}

FolderInfo FolderTable::CreateFolder(std::string_view parentEntryId, std::string_view name, std::int32_t itemType) {
    const std::optional<FolderInfo> parent = Folder(parentEntryId);
    if (!parent) errors::Raise(errors::kNotFound, "The folder " + std::string(parentEntryId) + " does not exist.");
    if (text::Trim(name).empty() || name.find('\\') != std::string_view::npos) {
        errors::Raise(errors::kInvalidArgument, "\"" + std::string(name) + "\" is not a valid folder name.");
    }
    if (itemType < ol::olMailItem || itemType > ol::olTaskItem) {
        errors::Raise(errors::kInvalidArgument, "A folder cannot hold items of type " + std::to_string(itemType) + ".");
    }
    for (const FolderInfo& sibling : Subfolders(parentEntryId)) {
        if (text::EqualsIgnoreCase(sibling.name, name)) {
            errors::Raise(errors::kFailed, "Cannot create the folder: \"" + parent->path + "\" already has a folder "
                                           "named \"" + std::string(name) + "\".");
        }
    }
    const std::string entryId = db_.Guard("create a folder", [&] {
        StoreDatabase::Transaction transaction(db_);
        SQLite::Statement query(db_.Sql(), "SELECT id, mailbox_id FROM folders WHERE entry_id = ?");
        Bind(query, 1, parent->entryId);
        query.executeStep();
        const std::string id = NewFolder(query.getColumn(1).getInt64(), query.getColumn(0).getInt64(),
                                         parent->storeId, name, itemType, 0);
        transaction.Commit();
        return id;
    });
    return *Folder(entryId);
}

// ---- views ----

std::vector<ViewInfo> FolderTable::Views(std::string_view folderEntryId) {
    return db_.Guard("read the views", [&] {
        std::vector<ViewInfo> views;
        SQLite::Statement query(db_.Sql(),
                                "SELECT v.name, v.view_type, v.xml FROM views v JOIN folders f ON f.id = v.folder_id "
                                "WHERE f.entry_id = ? ORDER BY v.position");
        BindId(query, 1, folderEntryId);
        while (query.executeStep()) {
            views.push_back({query.getColumn(0).getString(), query.getColumn(1).getInt(),
                             query.getColumn(2).getString()});
        }
        return views;
    });
}

void FolderTable::SetViewXml(std::string_view folderEntryId, std::string_view viewName, std::string_view xml) {
    ViewDefinition::Validate(xml);
    db_.Guard("change a view", [&] {
        SQLite::Statement update(db_.Sql(),
                                 "UPDATE views SET xml = ? WHERE name = ? AND folder_id = "
                                 "(SELECT id FROM folders WHERE entry_id = ?)");
        Bind(update, 1, xml);
        Bind(update, 2, viewName);
        BindId(update, 3, folderEntryId);
        if (update.exec() == 0) {
            errors::Raise(errors::kNotFound, "The folder has no view named \"" + std::string(viewName) + "\".");
        }
    });
}

}  // namespace ostrellix::standin::outlook
