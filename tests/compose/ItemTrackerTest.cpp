#include <gtest/gtest.h>

#include <functional>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IFolders.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/kelo/client/HostEvents.h"
#include "tests/compose/BookingFixture.h"

namespace ostrellix::addin::composetest {
namespace {

namespace ol = outlook;

// The two trackers behave alike; each case runs with both.
struct Kind {
    const char* name;
    std::function<void(standin::kelo::MenuCommands&, const ObjectPtr&)> book;
    std::int32_t itemType;
    std::int32_t folderType;
    const char* hook;
};

const Kind kKinds[] = {
    {"appointment", [](auto& menu, const ObjectPtr& window) { menu.NewAppointment(window, false); },
     ol::olAppointmentItem, ol::olFolderCalendar, "NewAppointment"},
    {"task", [](auto& menu, const ObjectPtr& window) { menu.NewTask(window); }, ol::olTaskItem, ol::olFolderTasks,
     "NewTask"},
};

class ItemTrackerTest : public BookingTest {
protected:
    // The user books an item of the kind from Maria Sjöberg's record window; the window Outlook shows it in.
    Ptr<ol::IInspector> Book(const Kind& kind) {
        auto menu = Menu();
        kind.book(menu, world.User().OpenRecord("person", 1));
        const auto window = Shown();
        EXPECT_TRUE(window && window->CurrentItem()->EntryID().empty());
        EXPECT_EQ(Globals::EventListenerCount(), registered + 1) << "the tracker waits in the registry";
        return window;
    }
    // The stored item as Outlook reads it now.
    Ptr<ol::IItem> Stored(const Ptr<ol::IItem>& item) {
        const std::string id = item->EntryID();
        return id.empty() ? nullptr : Globals::Outlook()->Session()->GetItemFromID(id);
    }
};

TEST_F(ItemTrackerTest, TheItemIsFiledOnlyWhenItsFolderReportsItAfterTheWindowClosed) {
    const struct {
        const char* order;
        std::function<void(const Ptr<ol::IInspector>&, const Kind&)> play;
        bool filed;
    } orders[] = {
        {"saved and closed", [this](const auto& window, const Kind&) { SaveAndClose(window, "Spring order"); },
         true},
        {"switched away while editing, then saved and closed",
         [this](const auto& window, const Kind&) {
             window->Events().Deactivate.Raise();
             SaveAndClose(window, "Spring order");
         },
         true},
        {"closed without saving, then deactivated",
         [this](const auto& window, const Kind&) {
             outlookUser.Close(window, false);
             window->Events().Deactivate.Raise();
         },
         false},
        // The folder reports the item after the save, while the window is open: its EntryID is not known yet.
        {"saved, then closed later",
         [this](const auto& window, const Kind&) {
             outlookUser.Type(window, "Subject", Variant("Spring order"));
             outlookUser.Save(window);
             outlookUser.Close(window, false);
         },
         false},
        {"another item added to the folder first",
         [this](const auto& window, const Kind& kind) {
             SaveAndClose(outlookUser.OpenNew(kind.itemType), "Someone else's");
             SaveAndClose(window, "Spring order");
         },
         false},
    };
    for (const Kind& kind : kKinds) {
        for (const auto& order : orders) {
            SCOPED_TRACE(std::string(kind.name) + ", " + order.order);
            const auto window = Book(kind);
            const auto item = window->CurrentItem();
            order.play(window, kind);
            EXPECT_EQ(Globals::EventListenerCount(), registered);
            const auto made = NewToDos();
            const auto stored = Stored(item);
            if (!order.filed) {
                EXPECT_TRUE(made.empty());
                EXPECT_FALSE(stored && Paired(stored));
                continue;
            }
            ASSERT_EQ(made.size(), 1U);
            const auto record = made[0];
            EXPECT_EQ(record->Text("subject"), "Spring order");
            EXPECT_EQ(record->Text("person"), "Maria Sjöberg");
            EXPECT_EQ(record->Text("company"), "Nordvik Trading AB");
            ASSERT_TRUE(stored);
            ASSERT_TRUE(Paired(stored));
            EXPECT_EQ(Paired(stored)->ID(), record->ID());
            BareToDo();  // the next case counts from here
        }
    }
}

TEST_F(ItemTrackerTest, AScriptThatClaimsTheNewRecordLeavesTheItemUnfiled) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        world.Kelo().ScriptEvents().Claim(kind.hook);
        const auto window = Book(kind);
        const auto item = window->CurrentItem();
        SaveAndClose(window, "Spring order");
        EXPECT_EQ(Globals::EventListenerCount(), registered);
        EXPECT_TRUE(NewToDos().empty());
        EXPECT_FALSE(Paired(Stored(item)));
        const auto& history = world.Kelo().ScriptEvents().History();
        ASSERT_FALSE(history.empty());
        const auto& raised = history.back();
        EXPECT_EQ(raised.name, kind.hook);
        EXPECT_TRUE(raised.handled);
    }
}

// A new record is always usable, so it is stored at once; the data engine's own check still applies.
TEST_F(ItemTrackerTest, ARecordTheDataEngineRefusesIsLoggedAndTheItemStaysUnpaired) {
    const auto window = Book(kKinds[0]);
    const auto item = window->CurrentItem();
    outlookUser.Close(window, true);  // no subject, which a to-do requires
    EXPECT_EQ(Globals::EventListenerCount(), registered);
    EXPECT_TRUE(NewToDos().empty());
    const auto log = world.KeloLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "2|QVR|80041005|The todo cannot be stored: the field \"Subject\" (subject) must have a value");
    EXPECT_FALSE(Paired(Stored(item)));
    // Only the record window the booking started from: the to-do is not offered to the user.
    ASSERT_EQ(Opened().size(), 1U);
    EXPECT_EQ(Opened()[0]->Class()->Name(), "person");
}

TEST_F(ItemTrackerTest, AConfiguredFolderIsWhereTheItemIsStoredAndFollowed) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        const auto standard = Globals::Outlook()->Session()->GetDefaultFolder(kind.folderType);
        const auto projects = standard->Folders()->Add("Projects", kind.itemType);
        if (kind.itemType == ol::olAppointmentItem) {
            Globals::Options()->SetCalendarFolderEntryID(projects->EntryID());
        } else {
            Globals::Options()->SetTasksFolderEntryID(projects->EntryID());
        }
        const std::int32_t before = standard->Items()->Count();
        SaveAndClose(Book(kind), "Spring order");
        EXPECT_EQ(standard->Items()->Count(), before);
        ASSERT_EQ(projects->Items()->Count(), 1);
        const auto record = Paired(projects->Items()->Item(1));
        ASSERT_TRUE(record);
        EXPECT_EQ(record->Text("subject"), "Spring order");
        EXPECT_EQ(Globals::EventListenerCount(), registered);
        BareToDo();
    }
}

}  // namespace
}  // namespace ostrellix::addin::composetest
