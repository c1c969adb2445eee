#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IExplorer.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolders.h"
#include "core/Options.h"
#include "core/Tools.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/SimulatedUser.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

class CreationTest : public SyncTest {
protected:
    template <class Step>
    static std::string ErrorOf(Step&& step) {
        try {
            step();
        } catch (const ComError& error) {
            return error.Description();
        }
        return "no error";
    }
    static Ptr<outlook::IFolder> Default(std::int32_t folderType) {
        return Globals::Outlook()->Session()->GetDefaultFolder(folderType);
    }
};

TEST_F(CreationTest, TheRecordsClassAndDatesChooseTheItemKind) {
    const auto meeting = NewRecord("todo", {{"start", Date::FromParts(2024, 5, 2, 9)},
                                            {"end", Date::FromParts(2024, 5, 2, 10)}});
    const auto reminder = NewRecord("todo", {{"start", Date::FromParts(2024, 5, 2, 9)}});
    EXPECT_TRUE(Is<outlook::IAppointmentItem>(sync->CreateItemFromRecord(meeting)));
    EXPECT_TRUE(Is<outlook::ITaskItem>(sync->CreateItemFromRecord(reminder)));
    EXPECT_TRUE(Is<outlook::IContactItem>(sync->CreateItemFromRecord(NewRecord("coworker"))));
    EXPECT_EQ(ErrorOf([&] { sync->CreateItemFromRecord(NewRecord("company")); }),
              Tools::GetText("DatabaseNotConfigured"));
    EXPECT_EQ(ErrorOf([&] { sync->CreateItem(outlook::olMailItem); }), Tools::GetText("InternalError"));
}

TEST_F(CreationTest, RecordsForItemsAreNewAndLogged) {
    const auto record = sync->CreateAppointmentRecord();
    EXPECT_EQ(record->Class()->Label(), kelo::classlabel::ToDo);
    EXPECT_EQ(record->ID(), 0);
    EXPECT_EQ(world.KeloLog().back(), "4|Synchronizer.CreateAppointmentRecord||Creating a appointment record.");
    EXPECT_EQ(sync->CreateRecordFromItem(NewItem<outlook::IItem>(outlook::olTaskItem), nullptr)->Class()->Name(),
              "todo");
    EXPECT_EQ(world.KeloLog().back(), "4|Synchronizer.CreateTaskRecord||Creating a task record.");
    EXPECT_EQ(sync->CreateRecordFromItem(nullptr, nullptr), nullptr);

    const auto contact = NewItem<outlook::IItem>(outlook::olContactItem);
    EXPECT_EQ(sync->CreateRecordFromItem(contact, nullptr)->Class()->Name(), "person");
    const auto coworkers = world.User().OpenList("coworker");
    EXPECT_EQ(sync->CreateRecordFromItem(contact, coworkers)->Class()->Name(), "coworker");
}

TEST_F(CreationTest, AConfiguredFolderIsUsedWhileItExists) {
    const auto options = Globals::Options();
    const auto team = Default(outlook::olFolderCalendar)->Folders()->Add("Team", outlook::olAppointmentItem);
    options->SetCalendarFolderEntryID(team->EntryID());
    EXPECT_EQ(sync->CalendarFolder()->EntryID(), team->EntryID());
    const auto appointment = NewItem<outlook::IItem>(outlook::olAppointmentItem);
    appointment->Save();
    EXPECT_EQ(appointment->Parent()->EntryID(), team->EntryID());

    // A folder that is gone, or an option that is no EntryID at all: the default folder.
    options->SetTasksFolderEntryID(std::string(team->EntryID().size(), '0'));
    options->SetContactsFolderEntryID("not an id");
    EXPECT_EQ(sync->TasksFolder()->EntryID(), Default(outlook::olFolderTasks)->EntryID());
    EXPECT_EQ(sync->ContactsFolder()->EntryID(), Default(outlook::olFolderContacts)->EntryID());
    EXPECT_EQ(sync->InboxFolder()->EntryID(), Default(outlook::olFolderInbox)->EntryID());
    EXPECT_EQ(sync->DraftsFolder()->EntryID(), Default(outlook::olFolderDrafts)->EntryID());
    EXPECT_EQ(sync->SentMailFolder()->EntryID(), Default(outlook::olFolderSentMail)->EntryID());
    EXPECT_EQ(sync->OutboxFolder()->EntryID(), Default(outlook::olFolderOutbox)->EntryID());
}

}  // namespace
}  // namespace ostrellix::addin
