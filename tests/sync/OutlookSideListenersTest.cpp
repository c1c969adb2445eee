#include <gtest/gtest.h>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "tests/sync/ListenerFixture.h"

namespace ostrellix::addin {
namespace {

class SynchListenerTest : public ListenerTest {
protected:
    struct Kind {
        const char* what;
        Ptr<kelo::IRecord> record;
        const char* property;  // the Outlook property the user changes
        const char* field;     // where it arrives in the record
    };
    std::vector<Kind> Kinds() {
        return {
            {"appointment", ToDo("Visit", true), "Subject", "subject"},
            {"task", ToDo("Offer", false), "Subject", "subject"},
            {"contact", Person(), "JobTitle", "jobtitle"},
        };
    }
    void AllKinds(bool on) {
        options->SetSynchronizeAppointments(on);
        options->SetSynchronizeTasks(on);
        options->SetSynchronizeContacts(on);
    }
    // The user changes the item in its window and saves it.
    void Change(const Ptr<outlook::IItem>& item, const char* property, std::string_view value) {
        const auto window = outlookUser.Open(item);
        outlookUser.Type(window, property, Variant(value));
        outlookUser.Save(window);
        outlookUser.Close(window, false);
    }
};

TEST_F(SynchListenerTest, AnOutlookSaveReachesTheRecordOnceAndDoesNotComeBack) {
    AllKinds(true);
    for (const Kind& kind : Kinds()) {
        const auto item = Pair(kind.record);
        StartCounting();
        Change(item, kind.property, "Changed in Outlook");
        EXPECT_EQ(Reloaded(kind.record)->Text(kind.field), "Changed in Outlook") << kind.what;
        EXPECT_EQ(RecordStores(kind.record), 1) << kind.what;
        // The user's save, then the listener's new checksums; that save changes nothing more.
        EXPECT_EQ(ItemStores(item->EntryID()), 2) << kind.what;
        EXPECT_EQ(sync->IsItemModifiedSinceLastSynchronization(Reloaded(item)), Variant(false)) << kind.what;
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SynchListenerTest, WhenOutlookGoesAndComesBackTheListenersServeTheNewOne) {
    AllKinds(true);
    // What the connection timer does at its ticks.
    world.Outlook()->Quit();
    Globals::ConnectToOutlook(false);
    world.Machine().StartOutlook();
    Globals::ConnectToOutlook(false);
    ASSERT_TRUE(Globals::IsOutlookRunning());

    outlookUser = standin::outlook::SimulatedUser(Globals::Outlook());
    const Kind contact = Kinds().back();
    const auto item = Pair(contact.record);
    StartCounting();
    Change(item, contact.property, "Back again");
    EXPECT_EQ(Reloaded(contact.record)->Text(contact.field), "Back again");
    EXPECT_EQ(RecordStores(contact.record), 1);
    const auto window = outlookUser.Open(item);
    EXPECT_EQ(Tags(window), std::vector<std::string>{"OpenContactItem"});
    outlookUser.Close(window, false);
}

TEST_F(SynchListenerTest, NothingIsPushedWhileItsKindIsOffOrTheItemIsNotPaired) {
    AllKinds(false);
    for (const Kind& kind : Kinds()) {
        const auto item = Pair(kind.record);
        StartCounting();
        Change(item, kind.property, "Changed in Outlook");
        EXPECT_NE(Reloaded(kind.record)->Text(kind.field), "Changed in Outlook") << kind.what;
        EXPECT_EQ(RecordStores(kind.record), 0) << kind.what;
    }
    AllKinds(true);
    const auto loose = Saved(outlook::olTaskItem, "Not in Kelo");
    Change(loose, "Subject", "Still not in Kelo");
    EXPECT_EQ(Mark(Reloaded(loose), "KeloID"), "");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(SynchListenerTest, ARunsSavesAndAFailingItemDoNotStopIt) {
    AllKinds(true);
    const auto record = ToDo("Offer", false);
    const auto item = Pair(record);
    StartCounting();
    RunTest::Change(record, "subject", "Changed in Kelo");
    sync->Synchronize(true);
    EXPECT_EQ(Reloaded(item)->Subject(), "Changed in Kelo");
    // Kelo's own change only: the run's item save comes back once (see
    // KeloSynchListenerTest) with the values the record holds.
    EXPECT_EQ(RecordStores(record), 1);
    EXPECT_EQ(Reloaded(record)->Text("subject"), "Changed in Kelo");

    // A subject the record refuses (it is required) fails this item, in a box; the listener goes on.
    Change(item, "Subject", "");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(Boxes()[0].find("SynchListener.SynchronizeItem"), std::string::npos) << Boxes()[0];
    const auto other = ToDo("Visit", true);
    const auto otherItem = Pair(other);
    Change(otherItem, "Subject", "Visit moved");
    EXPECT_EQ(Reloaded(other)->Value("subject").ToString(), "Visit moved");
}

class BirthdayListenerTest : public ListenerTest {};

TEST_F(BirthdayListenerTest, ABirthdayInAnyCaseOrLanguageLosesItsReminder) {
    const struct {
        const char* subject;
        bool reminder;
    } cases[] = {
        {"Birthday party", false}, {"ERIKS BIRTHDAY", false}, {"Mormors FÖDELSEDAG", false},
        {"födelsedag", false},     {"Birth day", true},       {"Board meeting", true},
    };
    for (const auto& c : cases) {
        const auto appointment = Cast<outlook::IAppointmentItem>(sync->CreateItem(outlook::olAppointmentItem));
        appointment->SetSubject(c.subject);
        appointment->SetReminderSet(true);
        appointment->Save();
        EXPECT_EQ(Reloaded(appointment)->ReminderSet(), c.reminder) << c.subject;
    }
    // Only new items: a reminder set again later stays.
    const auto later = Cast<outlook::IAppointmentItem>(sync->CreateItem(outlook::olAppointmentItem));
    later->SetSubject("Birthday");
    later->Save();
    later->SetReminderSet(true);
    later->Save();
    EXPECT_TRUE(Reloaded(later)->ReminderSet());
}

}  // namespace
}  // namespace ostrellix::addin
