#include <gtest/gtest.h>

#include "contracts/outlook/IInspector.h"
#include "contracts/outlook/IMailItem.h"
#include "standins/message/PropertyTag.h"
#include "standins/outlook/MapiLogon.h"
#include "tests/standins/outlook/EventLog.h"
#include "tests/standins/outlook/OutlookFixture.h"

namespace ostrellix::standin::outlook {
namespace {

using testing::OutlookFixture;

// Records events in the order they arrive.
class EventTest : public OutlookFixture {
protected:
    testing::EventLog events;
    std::vector<std::string>& log = events.lines;
};

TEST_F(EventTest, SavingRaisesWriteBeforeTheFolderHearsOfIt) {
    const auto calendar = Folder(ol::olFolderCalendar);
    const auto first = calendar->Items(), second = calendar->Items();
    events.Watch(first, "Items1");
    events.Watch(second, "Items2");
    auto item = Create(ol::olAppointmentItem, "Meeting");
    events.Watch(item, "Item");
    std::string idSeenByHandler = "unset";
    Connection check = first->Events().ItemAdd.Connect([&](const Ptr<ol::IItem>& added) {
        idSeenByHandler = added->EntryID();
        EXPECT_TRUE(SameObject(added, item)) << "the folder hands out the object that was saved";
    });
    item->Save();
    item->SetSubject("Meeting moved");
    item->Save();
    EXPECT_EQ(log, (std::vector<std::string>{"Item.Write", "Items1.ItemAdd(Meeting)", "Items2.ItemAdd(Meeting)",
                                             "Item.Write", "Items1.ItemChange(Meeting moved)",
                                             "Items2.ItemChange(Meeting moved)"}));
    EXPECT_EQ(idSeenByHandler, item->EntryID());
}

TEST_F(EventTest, FolderEventsWaitForTheOutermostCall) {
    const auto items = Folder(ol::olFolderCalendar)->Items();
    events.Watch(items, "Items");
    auto outer = Create(ol::olAppointmentItem, "Outer");
    events.Watch(outer, "Outer");
    auto inner = Create(ol::olAppointmentItem, "Inner");
    auto passing = Create(ol::olAppointmentItem, "Passing");
    // A handler of the outer save makes calls of its own: they are nested,
    // so the folder hears of them only when the outer save has returned.
    Connection nested = outer->Events().Write.Connect([&](bool&) {
        inner->Save();
        passing->Save();
        passing->Delete();
        log.push_back("nested calls returned");
    });
    outer->Save();
    // The item deleted before the events arrived is not announced as added.
    EXPECT_EQ(log, (std::vector<std::string>{"Outer.Write", "nested calls returned", "Items.ItemAdd(Inner)",
                                             "Items.ItemRemove", "Items.ItemAdd(Outer)"}));
}

TEST_F(EventTest, EventsRaisedWhileDeliveringJoinTheSameDelivery) {
    const auto calendar = Folder(ol::olFolderCalendar);
    const auto first = calendar->Items(), second = calendar->Items();
    events.Watch(first, "Items1");
    auto followUp = Create(ol::olAppointmentItem, "Follow-up");
    Connection chain = first->Events().ItemAdd.Connect([&](const Ptr<ol::IItem>& item) {
        if (item->Subject() != "Planned") return;
        followUp->Save();
        log.push_back("handler returned");
    });
    events.Watch(second, "Items2");
    auto planned = Create(ol::olAppointmentItem, "Planned", true);
    // Each event waits for the handler before it: none arrives inside another.
    EXPECT_EQ(log, (std::vector<std::string>{"Items1.ItemAdd(Planned)", "handler returned", "Items2.ItemAdd(Planned)",
                                             "Items1.ItemAdd(Follow-up)", "Items2.ItemAdd(Follow-up)"}));
}

TEST_F(EventTest, AnErrorLeavingTheCallStillDeliversAndAHandlersErrorGoesNowhere) {
    const auto calendar = Folder(ol::olFolderCalendar);
    const auto first = calendar->Items(), second = calendar->Items();
    const auto fail = [](const Ptr<ol::IItem>&) { throw ComError(5, "Handler", "the handler fails"); };
    Connection failingAdd = first->Events().ItemAdd.Connect(fail);
    Connection failingChange = first->Events().ItemChange.Connect(fail);
    events.Watch(second, "Items");
    auto item = Create(ol::olAppointmentItem, "Stored anyway");
    const auto inspector = user->Open(item);
    Connection refuse = item->Events().Close.Connect([](bool&) { throw ComError(7, "Handler", "the close fails"); });
    // The save went through before the item's Close failed: the store has the item, so the folder is told.
    EXPECT_EQ(ErrorOf([&] { user->Close(inspector, true); }), 7);
    EXPECT_EQ(log, std::vector<std::string>{"Items.ItemAdd(Stored anyway)"});
    refuse.Disconnect();
    log.clear();
    item->SetSubject("Changed");
    EXPECT_FALSE(ErrorOf([&] { item->Save(); })) << "the failing ItemChange handler does not reach the caller";
    EXPECT_EQ(log, std::vector<std::string>{"Items.ItemChange(Changed)"});
}

TEST_F(EventTest, ClosingWithoutSavingForgetsTheChanges) {
    auto item = Create(ol::olAppointmentItem, "Kept", true);
    const auto inspector = user->Open(item);
    user->Type(inspector, "Subject", Variant("Typed and dropped"));
    user->Close(inspector, false);
    EXPECT_EQ(item->Subject(), "Kept");
    // Asked to save, the user answers.
    const auto again = user->Open(item);
    user->Type(again, "Subject", Variant("Answered"));
    user->WillAnswerSavePrompt(true);
    again->Close(ol::olPromptForSave);
    EXPECT_EQ(profile->Store().Load(item->EntryID())->data.Read().properties.GetValue(message::tag::PR_SUBJECT).ToString(),
              "Answered");
}

TEST_F(EventTest, ACancelledWriteStoresNothingAndACancelledCloseKeepsTheWindowOpen) {
    const auto items = Folder(ol::olFolderTasks)->Items();
    events.Watch(items, "Items");
    auto task = outlook->CreateItem(ol::olTaskItem);
    Connection refuseWrite = task->Events().Write.Connect([](bool& cancel) { cancel = true; });
    task->Save();
    EXPECT_EQ(task->EntryID(), "");
    EXPECT_EQ(items->Count(), 0);
    EXPECT_TRUE(log.empty());

    const auto inspector = user->Open(task);
    Connection refuseClose = task->Events().Close.Connect([](bool& cancel) { cancel = true; });
    user->Close(inspector, false);
    EXPECT_EQ(outlook->Inspectors()->Count(), 1);
    refuseClose.Disconnect();
    user->Close(inspector, false);
    EXPECT_EQ(outlook->Inspectors()->Count(), 0);
}

TEST_F(EventTest, ChangesOfTheMapiLibraryReachTheFoldersEvents) {
    const auto inbox = Folder(ol::olFolderInbox);
    const auto items = inbox->Items();
    const auto fromKund = items->Restrict("[SenderEmailAddress] = 'dan@kund.example'");
    events.Watch(items, "Items");
    events.Watch(fromKund, "FromKund");
    MessageStore& store = As<MapiLogon>(session->MAPIOBJECT())->Session().Store();
    message::MessageData data;
    data.properties.Set(message::tag::PR_MESSAGE_CLASS, Variant("IPM.Note"));
    data.properties.Set(message::tag::PR_SUBJECT, Variant("Imported"));
    const std::string id = store.NewEntryId(inbox->EntryID());
    store.Create(inbox->EntryID(), id, data);
    user->Receive({"Dan Kund", "dan@kund.example", "Offer", "Hello", "", {}, {}, {}});
    store.Delete(id);
    EXPECT_EQ(log, (std::vector<std::string>{"Items.ItemAdd(Imported)", "Items.ItemAdd(Offer)",
                                             "FromKund.ItemAdd(Offer)", "Items.ItemRemove", "FromKund.ItemRemove"}));
}

TEST_F(EventTest, DeletingAndMovingTellBothFolders) {
    const auto drafts = Folder(ol::olFolderDrafts);
    const auto projects = Folder(ol::olFolderInbox)->Folders()->Add("Projects", ol::olMailItem);
    const auto draftItems = drafts->Items(), projectItems = projects->Items();
    events.Watch(draftItems, "Drafts");
    events.Watch(projectItems, "Projects");
    auto mail = Create(ol::olMailItem, "Note", true);
    log.clear();
    user->Drag(mail, projects);
    EXPECT_EQ(mail->Parent()->Name(), "Projects");
    mail->Delete();
    EXPECT_EQ(log, (std::vector<std::string>{"Drafts.ItemRemove", "Projects.ItemAdd(Note)", "Projects.ItemRemove"}));
    EXPECT_EQ(ErrorOf([&] { mail->Subject(); }), ol::kItemMovedOrDeleted);
}

}  // namespace
}  // namespace ostrellix::standin::outlook
