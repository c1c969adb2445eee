#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <utility>
#include <vector>

#include "contracts/outlook/Constants.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/Errors.h"
#include "standins/outlook/Filter.h"
#include "standins/outlook/ItemIndex.h"
#include "standins/outlook/MessageStore.h"
#include "standins/outlook/Profile.h"
#include "standins/outlook/StoreDatabase.h"
#include "standins/system/ManualClock.h"
#include "tests/standins/outlook/OutlookFixture.h"
#include "tests/standins/system/TempDirectory.h"
#include "tests/support/FileText.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::outlook {
namespace {

namespace ol = ::ostrellix::outlook;
namespace tag = message::tag;

using ostrellix::testing::FileText;

std::vector<std::string> EntryIds(const std::vector<FoundMessage>& found) {
    std::vector<std::string> ids;
    for (const FoundMessage& message : found) ids.push_back(message.entryId);
    return ids;
}

message::MessageData Note(const std::string& subject) {
    message::MessageData data;
    data.properties.Set(tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    data.properties.Set(tag::PR_SUBJECT, Variant(subject));
    return data;
}

class StoreTest : public ::testing::Test {
protected:
    ostrellix::testing::TempDirectory directory;
    std::string path = (directory.Path() / "profile" / "Outlook.store").string();
    system::ManualClock clock{Date::FromParts(2024, 5, 1, 10, 0, 0)};

    std::unique_ptr<Profile> Open() { return std::make_unique<Profile>(testing::OutlookFixture::Setup(path), clock); }

    static std::string FolderId(Profile& profile, std::int32_t type) {
        return profile.Store().DefaultFolder(profile.Mailbox(), type).entryId;
    }

    // A note of that subject, stored in the folder; its EntryID.
    static std::string Add(MessageStore& store, const std::string& folder, const std::string& subject) {
        message::MessageData data = Note(subject);
        const std::string id = store.NewEntryId(folder);
        store.Create(folder, id, data);
        return id;
    }

    static std::string Subject(MessageStore& store, const std::string& id) {
        return store.Load(id)->data.Read().properties.GetValue(tag::PR_SUBJECT).ToString();
    }
};

TEST_F(StoreTest, WhatIsStoredSurvivesAReopen) {
    std::string entryId, folderId;
    {
        auto profile = Open();
        MessageStore& store = profile->Store();
        const std::string inbox = FolderId(*profile, ol::olFolderInbox);
        folderId = store.CreateFolder(inbox, "Projects", ol::olMailItem).entryId;
        message::MessageData data = Note("Kept");
        data.properties.SetNamed({message::PublicStrings(), std::string("KeloID")},
                                 {message::pt::Unicode, Variant("person:12")});
        entryId = store.NewEntryId(folderId);
        store.Create(folderId, entryId, data);
        store.SetViewXml(inbox, "Compact", "<view type=\"table\"><viewname>Compact</viewname></view>");
        profile->Categories().Add("Kelo", 5);
    }
    auto profile = Open();
    MessageStore& store = profile->Store();
    const auto loaded = store.Load(entryId);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->folderEntryId, folderId);
    EXPECT_EQ(loaded->data.Read().properties.GetValue(tag::PR_SUBJECT).ToString(), "Kept");
    EXPECT_EQ(
        loaded->data.Read().properties.GetNamed({message::PublicStrings(), std::string("KeloID")})->value.ToString(),
        "person:12");
    EXPECT_EQ(store.Folder(folderId)->path, "\\\\Mailbox - Anna Berg\\Inbox\\Projects");
    EXPECT_EQ(store.FolderByPath("\\\\mailbox - anna berg\\inbox\\PROJECTS")->entryId, folderId);
    const std::string inbox = FolderId(*profile, ol::olFolderInbox);
    EXPECT_NE(store.Views(inbox).front().xml.find("<viewname>Compact</viewname></view>"), std::string::npos);
    EXPECT_EQ(profile->Categories().Find("kelo")->color, 5);
    // The mailboxes and the address book are not made twice.
    EXPECT_EQ(store.Mailboxes().size(), 2u);
    EXPECT_EQ(profile->Book().Entries(AddressBook::kGlobalList).size(), 3u);
}

TEST_F(StoreTest, AStoreIsOnlyEverOpenInOneOutlook) {
    std::string entryId;
    {
        auto first = Open();
        MessageStore& store = first->Store();
        const std::string inbox = FolderId(*first, ol::olFolderInbox);
        entryId = Add(store, inbox, "Saved while open");
        const std::optional<ComError> error = ostrellix::testing::Raised([&] { Open(); });
        ASSERT_TRUE(error) << "a store in use must not open a second time";
        EXPECT_EQ(error->Number(), errors::kStoreFailed);
        EXPECT_NE(error->Description().find("is in use by another program"), std::string::npos) << error->Description();
        // The refused opener took nothing from the one that has the store.
        Add(store, inbox, "Saved after the refusal");
    }
    auto second = Open();
    ASSERT_TRUE(second->Store().Load(entryId));
    EXPECT_EQ(Subject(second->Store(), entryId), "Saved while open");
}

// A file that is no store this Outlook can read is refused with its name and left as it was.
TEST_F(StoreTest, WhatIsNoReadableStoreIsRefusedNamedAndLeftAlone) {
    struct Case {
        const char* what;
        std::function<void()> make;
        const char* told;
    };
    const Case cases[] = {
        {"a text file", [&] { std::ofstream(path, std::ios::binary) << "This is a letter, not a message store.\n"; },
         "is not an Outlook message store"},
        {"another program's database",
         [&] {
             SQLite::Database other(path, SQLite::OPEN_READWRITE | SQLite::OPEN_CREATE);
             other.exec("CREATE TABLE notes(text TEXT); INSERT INTO notes VALUES('mine')");
         },
         "is not an Outlook message store"},
        {"a store of a later layout",
         [&] {
             Open();
             SQLite::Database later(path, SQLite::OPEN_READWRITE);
             later.exec("PRAGMA user_version=5");
         },
         "has layout version 5, which this Outlook cannot read"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::filesystem::remove_all(std::filesystem::path(path).parent_path());
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        test.make();
        const std::string before = FileText(path);
        ASSERT_FALSE(before.empty());
        const std::optional<ComError> error = ostrellix::testing::Raised([&] { Open(); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), errors::kStoreFailed);
        EXPECT_NE(error->Description().find(path), std::string::npos) << error->Description();
        EXPECT_NE(error->Description().find(test.told), std::string::npos) << error->Description();
        EXPECT_EQ(FileText(path), before);
    }
}

// Workspaces outlive the program: a store of an earlier layout, which
// kept its index apart from the items' rows (the first in rows with two
// indexes), drops its index when it opens, and filters build again what
// they need of it.
TEST_F(StoreTest, AStoreOfAnEarlierLayoutDropsItsIndexOnOpening) {
    const std::pair<int, const char*> layouts[] = {
        {1, R"sql(
            CREATE TABLE item_values(item_id INTEGER NOT NULL, folder_id INTEGER NOT NULL, key TEXT NOT NULL, value);
            INSERT INTO item_values VALUES(1, 1, 'subject', 'stale');
            CREATE INDEX item_values_lookup ON item_values(folder_id, key, value);
            CREATE INDEX item_values_item ON item_values(item_id, key, value);)sql"},
        {3, R"sql(
            CREATE TABLE item_values(item_id INTEGER NOT NULL, key TEXT NOT NULL, value NOT NULL,
              folder_id INTEGER NOT NULL, PRIMARY KEY(item_id, key, value)) WITHOUT ROWID;
            CREATE INDEX item_values_item ON item_values(folder_id, key, value);
            CREATE TABLE indexed_keys(key TEXT PRIMARY KEY) WITHOUT ROWID;
            INSERT INTO item_values VALUES(1, 'subject', 'stale', 1);
            INSERT INTO indexed_keys VALUES('subject');)sql"},
    };
    for (const auto& [layout, tables] : layouts) {
        SCOPED_TRACE(layout);
        std::filesystem::remove_all(std::filesystem::path(path).parent_path());
        std::string inbox, lunch, dinner;
        {
            auto profile = Open();
            MessageStore& store = profile->Store();
            inbox = FolderId(*profile, ol::olFolderInbox);
            message::MessageData data = Note("Lunch");
            data.properties.SetNamed({message::PublicStrings(), std::string("KeloID")},
                                     {message::pt::Unicode, Variant("task:1")});
            lunch = store.NewEntryId(inbox);
            store.Create(inbox, lunch, data);
            dinner = Add(store, inbox, "Dinner");
        }
        {
            SQLite::Database old(path, SQLite::OPEN_READWRITE);
            old.exec(R"sql(
                DROP TABLE item_values;
                DROP TABLE indexed_keys;
                ALTER TABLE items DROP COLUMN index_values;)sql");
            old.exec(tables);
            old.exec("PRAGMA user_version=" + std::to_string(layout));
        }
        auto profile = Open();
        MessageStore& store = profile->Store();
        SQLite::Database& sql = store.Database().Sql();
        EXPECT_EQ(sql.execAndGet("PRAGMA user_version").getInt(), 4);
        EXPECT_EQ(sql.execAndGet("SELECT count(*) FROM sqlite_master WHERE name = 'item_values_item'").getInt(), 0);
        EXPECT_EQ(sql.execAndGet("SELECT count(*) FROM item_values").getInt(), 0);
        EXPECT_EQ(sql.execAndGet("SELECT count(*) FROM indexed_keys").getInt(), 0);
        const auto found = [&](const char* filter) { return EntryIds(store.Search(inbox, Filter::Parse(filter))); };
        EXPECT_EQ(found("[KeloID] = 'task:1' AND [Subject] = 'lunch'"), std::vector<std::string>{lunch});
        message::MessageData renamed = Note("Supper");
        store.Update(dinner, renamed);
        EXPECT_TRUE(found("[Subject] = 'dinner'").empty());
        EXPECT_EQ(found("[Subject] = 'supper'"), std::vector<std::string>{dinner});
    }
}

// Only keys a filter asked for are indexed: a save of anything else
// writes no index entry. The first filter on a key indexes it over every
// stored message, once for the store, also across opening it again; a
// rolled-back transaction takes the key back with the entries.
TEST_F(StoreTest, AKeyIsIndexedWhenAFilterFirstAsksForIt) {
    std::string inbox, lunch;
    const auto rows = [](MessageStore& store, const char* key) {
        SQLite::Statement query(store.Database().Sql(), "SELECT count(*) FROM item_values WHERE key = ?");
        query.bind(1, key);
        query.executeStep();
        return query.getColumn(0).getInt();
    };
    {
        auto profile = Open();
        MessageStore& store = profile->Store();
        inbox = FolderId(*profile, ol::olFolderInbox);
        lunch = Add(store, inbox, "Lunch");
        Add(store, inbox, "Dinner");
        EXPECT_EQ(rows(store, "subject"), 0);
        {
            StoreTransaction undone(store);
            EXPECT_EQ(EntryIds(store.Search(inbox, Filter::Parse("[Subject] = 'lunch'"))),
                      std::vector<std::string>{lunch});
            EXPECT_EQ(rows(store, "subject"), 2);
        }
        EXPECT_EQ(rows(store, "subject"), 0);
        EXPECT_EQ(EntryIds(store.Search(inbox, Filter::Parse("[Subject] = 'lunch'"))), std::vector<std::string>{lunch});
        EXPECT_EQ(store.Counters().keysIndexed, 2);
        const std::string supper = Add(store, inbox, "Supper");
        EXPECT_EQ(EntryIds(store.Search(inbox, Filter::Parse("[Subject] = 'supper'"))),
                  std::vector<std::string>{supper});
        EXPECT_EQ(rows(store, "subject"), 3);
        EXPECT_EQ(rows(store, "messageclass"), 0);
    }
    auto profile = Open();
    MessageStore& store = profile->Store();
    EXPECT_EQ(EntryIds(store.Search(inbox, Filter::Parse("NOT [Subject] <> 'lunch'"))),
              std::vector<std::string>{lunch});
    EXPECT_EQ(store.Counters().keysIndexed, 0);
}

TEST_F(StoreTest, LastModificationTimeMovesOnEverySaveEvenWithAStoppedClock) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string drafts = FolderId(*profile, ol::olFolderDrafts);
    message::MessageData data = Note("Draft");
    const std::string id = store.NewEntryId(drafts);
    store.Create(drafts, id, data);
    const Date first = data.properties.GetValue(tag::PR_LAST_MODIFICATION_TIME).ToDate();
    EXPECT_EQ(first, clock.Now());
    EXPECT_EQ(data.properties.GetValue(tag::PR_CREATION_TIME).ToDate(), clock.Now());
    store.Update(id, data);
    EXPECT_GT(data.properties.GetValue(tag::PR_LAST_MODIFICATION_TIME).ToDate(), first);
    clock.AdvanceSeconds(3600);
    store.Update(id, data);
    EXPECT_EQ(data.properties.GetValue(tag::PR_LAST_MODIFICATION_TIME).ToDate(), clock.Now());
    EXPECT_EQ(store.Load(id)->revision, 3);
}

TEST_F(StoreTest, ATransactionCommitsAllOrNothingAndTellsAfterwards) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string drafts = FolderId(*profile, ol::olFolderDrafts);
    std::vector<StoreChange::Kind> told;
    std::size_t storedWhenTold = 0;
    Connection listening = store.Changed.Connect([&](const StoreChange& change) {
        told.push_back(change.kind);
        storedWhenTold = store.MessageIds(drafts).size();
    });
    std::string dropped;
    {
        StoreTransaction transaction(store);
        dropped = Add(store, drafts, "never");
        EXPECT_TRUE(told.empty()) << "nothing is told before the commit";
    }
    EXPECT_FALSE(store.Load(dropped));
    EXPECT_TRUE(told.empty());
    {
        StoreTransaction transaction(store);
        Add(store, drafts, "one");
        Add(store, drafts, "two");
        transaction.Commit();
    }
    EXPECT_EQ(told, (std::vector<StoreChange::Kind>{StoreChange::Kind::Added, StoreChange::Kind::Added}));
    EXPECT_EQ(storedWhenTold, 2u);
}

// A message read again while it has not changed is decoded once, and one
// read right after it was saved is what was saved, read from nowhere; a
// change by anyone else, a rollback of a save read inside its transaction,
// is read afresh.
// Moved, it keeps its EntryID; deleted, it is forgotten.
TEST_F(StoreTest, ARepeatedReadIsServedOnceAndAChangeIsReadAfresh) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string drafts = FolderId(*profile, ol::olFolderDrafts);
    const std::string entryId = Add(store, drafts, "first");
    const auto subject = [&] { return Subject(store, entryId); };
    auto loads = [&, before = store.Counters().messageLoads]() mutable {
        const std::int64_t counted = store.Counters().messageLoads - before;
        before = store.Counters().messageLoads;
        return counted;
    };

    EXPECT_EQ(subject(), "first");
    EXPECT_EQ(store.Load(entryId)->revision, 1);
    EXPECT_EQ(loads(), 0) << "just created";
    const std::string otherId = Add(store, drafts, "other");
    EXPECT_EQ(subject(), "first");
    EXPECT_EQ(subject(), "first");
    EXPECT_EQ(loads(), 1);
    message::MessageData otherChanged = Note("other, changed");
    store.Update(otherId, otherChanged);
    EXPECT_EQ(subject(), "first");
    EXPECT_EQ(loads(), 0) << "read lately, and only another one changed since";

    message::MessageData second = Note("second");
    store.Update(entryId, second);
    EXPECT_EQ(subject(), "second");
    EXPECT_EQ(store.Load(entryId)->data.Read().properties.GetValue(tag::PR_LAST_MODIFICATION_TIME),
              second.properties.GetValue(tag::PR_LAST_MODIFICATION_TIME));
    EXPECT_EQ(store.Load(entryId)->revision, store.Revision(entryId));
    EXPECT_EQ(loads(), 0) << "just saved";
    {
        StoreTransaction transaction(store);
        message::MessageData never = Note("never");
        store.Update(entryId, never);
        EXPECT_EQ(subject(), "never");
    }
    EXPECT_EQ(subject(), "second");
    EXPECT_EQ(loads(), 1) << "the rolled-back save is not served";
    EXPECT_EQ(store.Revision(entryId), store.Load(entryId)->revision);
    message::MessageData changed = Note("second, changed");
    store.Update(entryId, changed);
    EXPECT_EQ(Subject(store, otherId), "other, changed");
    EXPECT_EQ(subject(), "second, changed");
    EXPECT_EQ(loads(), 2) << "its earlier read is not served after its save";

    const std::string inbox = FolderId(*profile, ol::olFolderInbox);
    message::MessageData third = Note("third");
    store.Update(entryId, third);
    store.Move(entryId, inbox);
    EXPECT_EQ(store.Load(entryId)->folderEntryId, inbox);
    EXPECT_EQ(EntryIds(store.MessageIds(drafts)), std::vector<std::string>{otherId});
    store.Update(entryId, third);
    store.Delete(entryId);
    EXPECT_EQ(store.Revision(entryId), 0);
    EXPECT_FALSE(store.Load(entryId));
    EXPECT_THROW(store.Update(entryId, third), ComError);
}

// Messages read ahead are what a read of each would give, read in one go;
// any change to the store drops them, and a message read ahead changed
// meanwhile is read afresh.
TEST_F(StoreTest, MessagesReadAheadAreServedUntilTheStoreChanges) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string drafts = FolderId(*profile, ol::olFolderDrafts);
    std::vector<std::string> ids;
    for (const char* subject : {"one", "two", "three"}) ids.push_back(Add(store, drafts, subject));
    std::vector<std::int64_t> rows;
    for (const FoundMessage& found : store.MessageIds(drafts)) rows.push_back(found.rowId);
    rows.push_back(rows.back() + 1000);
    const std::int64_t before = store.Counters().messageLoads;
    store.Prefetch(rows);
    EXPECT_EQ(store.Counters().messageLoads - before, 3) << "three found, the unknown row not";
    EXPECT_TRUE(store.Prefetched(text::LCase(ids[1])));
    EXPECT_TRUE(store.Prefetched(ids[0]));
    EXPECT_EQ(Subject(store, ids[0]), "one");
    EXPECT_EQ(store.Load(ids[0])->revision, 1);
    EXPECT_EQ(Subject(store, ids[1]), "two");
    EXPECT_EQ(store.Counters().messageLoads - before, 3) << "served from what was read ahead";

    message::MessageData changed = Note("three, changed");
    store.Update(ids[2], changed);
    EXPECT_FALSE(store.Prefetched(ids[2]));
    Add(store, drafts, "four");
    EXPECT_EQ(Subject(store, ids[2]), "three, changed");
    EXPECT_EQ(store.Load(ids[2])->revision, 2);
    EXPECT_EQ(store.Counters().messageLoads - before, 4);
}

// A found message's row leads straight to it; a row another message took
// since leads to the message by its EntryID all the same.
TEST_F(StoreTest, ALoadByARowAnotherMessageTookFindsTheMessageByItsEntryId) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string drafts = FolderId(*profile, ol::olFolderDrafts);
    const std::string first = Add(store, drafts, "first");
    const std::int64_t row = store.MessageIds(drafts).back().rowId;
    EXPECT_EQ(store.Load(first, row)->data.Read().properties.GetValue(tag::PR_SUBJECT).ToString(), "first");
    store.Delete(first);
    const std::string other = Add(store, drafts, "other");
    ASSERT_EQ(store.MessageIds(drafts).back().rowId, row) << "the row number is taken again";
    message::MessageData again = Note("first again");
    store.Create(drafts, first, again);
    profile.reset();  // nothing read or written lately is kept
    profile = Open();
    const std::optional<StoredMessage> loaded = profile->Store().Load(first, row);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->entryId, first);
    EXPECT_EQ(loaded->data.Read().properties.GetValue(tag::PR_SUBJECT).ToString(), "first again");
    EXPECT_EQ(profile->Store().Load(other, row)->entryId, other);
}

// A save writes only the index entries that changed; whatever a save adds,
// changes or drops, the index says what the message says of the keys
// filters asked for, and filters find the item by its new values only.
TEST_F(StoreTest, TheIndexFollowsEverySave) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string calendar = FolderId(*profile, ol::olFolderCalendar);
    const std::string entryId = store.NewEntryId(calendar);
    using Rows = std::vector<std::pair<std::string, std::string>>;
    const auto text = [](const ItemIndex::Value& value) {
        const auto* number = std::get_if<double>(&value);
        return number ? std::to_string(*number) : std::get<std::string>(value);
    };
    const auto indexed = [&] {
        Rows rows;
        SQLite::Statement query(store.Database().Sql(),
                                "SELECT v.key, v.value FROM item_values v JOIN items i ON i.id = v.item_id "
                                "WHERE i.entry_id = ? ORDER BY 1, 2");
        query.bind(1, entryId);
        while (query.executeStep()) {
            const SQLite::Column value = query.getColumn(1);
            rows.emplace_back(query.getColumn(0).getString(),
                              value.isText() ? value.getString() : std::to_string(value.getDouble()));
        }
        return rows;
    };
    const ItemIndex::Keys asked{"categories", "subject", "u:keloid"};
    const auto expected = [&] {
        Rows rows;
        for (const ItemIndex::Entry& entry : ItemIndex::Entries(store.Load(entryId)->data.Read(), asked)) {
            rows.emplace_back(entry.key, text(entry.value));
        }
        std::ranges::sort(rows);
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());  // a repeated value is kept once
        return rows;
    };
    const auto finds = [&](const char* filter) { return !store.Search(calendar, Filter::Parse(filter)).empty(); };
    const auto user = [](const std::string& name) { return message::PropertyName{message::PublicStrings(), name}; };
    const auto keywords = [](std::initializer_list<const char*> words) {
        VariantArray values;
        for (const char* word : words) values.emplace_back(word);
        return message::PropertyValue{message::pt::MultiValued | message::pt::Unicode, Variant(std::move(values))};
    };

    EXPECT_FALSE(finds("[Categories] = 'a' OR [Subject] = 'lunch' OR [KeloID] = 'task:1'"));
    message::MessageData data = Note("Lunch");
    data.properties.SetNamed(user("KeloID"), {message::pt::Unicode, Variant("task:1")});
    data.properties.SetNamed(user("Keywords"), keywords({"a", "b"}));
    store.Create(calendar, entryId, data);
    EXPECT_EQ(indexed(), expected());
    EXPECT_TRUE(finds("[Categories] = 'a' AND [KeloID] = 'task:1'"));

    data.properties.Set(tag::PR_SUBJECT, Variant("Dinner"));
    data.properties.SetNamed(user("Keywords"), keywords({"b", "c", "c"}));
    data.properties.SetNamed(user("Score"), {message::pt::Double, Variant(std::nan(""))});
    store.Update(entryId, data);
    EXPECT_EQ(indexed(), expected());
    EXPECT_FALSE(finds("[Categories] = 'a'"));
    EXPECT_TRUE(finds("[Categories] = 'c' AND [Subject] = 'dinner'"));
    EXPECT_FALSE(finds("[Subject] = 'lunch'"));

    data.properties.RemoveNamed(user("KeloID"));
    data.properties.SetNamed(user("Keywords"), keywords({"c"}));
    store.Update(entryId, data);
    EXPECT_EQ(indexed(), expected());
    EXPECT_FALSE(finds("[KeloID] = 'task:1'"));
    EXPECT_FALSE(finds("[Categories] = 'b'"));
    EXPECT_TRUE(finds("[Categories] = 'c'"));

    // Read, then another item saved before this one is.
    store.Load(entryId);
    message::MessageData other = Note("Other");
    const std::string otherId = store.NewEntryId(calendar);
    store.Create(calendar, otherId, other);
    data.properties.Set(tag::PR_SUBJECT, Variant("Breakfast"));
    store.Update(entryId, data);
    EXPECT_EQ(indexed(), expected());
    EXPECT_TRUE(finds("[Subject] = 'breakfast'"));

    // Moved since it was read.
    store.Load(entryId);
    store.Move(entryId, FolderId(*profile, ol::olFolderTasks));
    store.Move(entryId, calendar);
    data.properties.Set(tag::PR_SUBJECT, Variant("Tea"));
    store.Update(entryId, data);
    EXPECT_EQ(indexed(), expected());
    EXPECT_TRUE(finds("[Subject] = 'tea'"));

    // Saved, moved away, and saved again: it and its entries are in the new folder.
    const std::string tasks = FolderId(*profile, ol::olFolderTasks);
    store.Move(entryId, tasks);
    data.properties.Set(tag::PR_SUBJECT, Variant("Coffee"));
    store.Update(entryId, data);
    EXPECT_EQ(store.FolderOfMessage(entryId), tasks);
    EXPECT_EQ(EntryIds(store.Search(tasks, Filter::Parse("[Subject] = 'coffee'"))), std::vector<std::string>{entryId});
    EXPECT_FALSE(finds("[Subject] = 'coffee'"));
    store.Move(entryId, calendar);

    // Made anew under its EntryID, at the revision it has, and rolled back.
    {
        StoreTransaction transaction(store);
        store.Delete(otherId);
        message::MessageData reborn = Note("Reborn");
        store.Create(calendar, otherId, reborn);
    }
    other.properties.Set(tag::PR_SUBJECT, Variant("Brunch"));
    store.Update(otherId, other);
    EXPECT_TRUE(finds("[Subject] = 'brunch'"));
    EXPECT_FALSE(finds("[Subject] = 'other'"));
}

// Pages a save writes to the log: the item's row, which holds its own
// index entries, and, only when a filter asked for the value's key, the
// lookup table's page the value leaves and arrives at (one page here).
TEST_F(StoreTest, ASaveOfOneChangedValueWritesTwoPagesOrOneWhenNoFilterAskedForIt) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string inbox = FolderId(*profile, ol::olFolderInbox);
    for (int i = 0; i < 50; ++i) Add(store, inbox, "other " + std::to_string(i));
    message::MessageData data = Note("Lunch");
    const std::string entryId = store.NewEntryId(inbox);
    store.Create(inbox, entryId, data);
    store.Counters().Reset();
    data.properties.Set(tag::PR_SUBJECT, Variant("Dinner"));
    store.Update(entryId, data);
    EXPECT_EQ(store.Counters().storePagesWritten, 1);
    EXPECT_EQ(EntryIds(store.Search(inbox, Filter::Parse("[Subject] = 'dinner'"))), std::vector<std::string>{entryId});
    store.Counters().Reset();
    data.properties.Set(tag::PR_SUBJECT, Variant("Supper"));
    store.Update(entryId, data);
    EXPECT_EQ(store.Counters().storePagesWritten, 2);
}

TEST_F(StoreTest, FolderNamesAreUniqueAmongSiblings) {
    auto profile = Open();
    MessageStore& store = profile->Store();
    const std::string inbox = FolderId(*profile, ol::olFolderInbox);
    store.CreateFolder(inbox, "Kelo", ol::olMailItem);
    EXPECT_THROW(store.CreateFolder(inbox, "KELO", ol::olMailItem), ComError);
    EXPECT_THROW(store.CreateFolder(inbox, "a\\b", ol::olMailItem), ComError);
    EXPECT_THROW(store.DefaultFolder(profile->Mailbox(), 99), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
