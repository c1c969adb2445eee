#include <gtest/gtest.h>

#include <functional>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IApplication.h"
#include "contracts/outlook/IExplorers.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"
#include "tests/compose/BookingFixture.h"

namespace ostrellix::addin::composetest {
namespace {

namespace ol = outlook;

class NewAppointmentExTest : public BookingTest {
protected:
    // The user books from the record's window in a calendar window; the calendar window.
    Ptr<ol::IExplorer> BookInCalendar(const ObjectPtr& window) {
        const std::int32_t open = Explorers();
        const std::int32_t listening = Globals::EventListenerCount();
        Menu().NewAppointment(window, true);
        EXPECT_EQ(Explorers(), open + 1);
        // The booking, and the add-in's own listener on the new window.
        EXPECT_EQ(Globals::EventListenerCount(), listening + 2);
        const auto explorers = world.Outlook()->Explorers();
        return explorers->Item(explorers->Count());
    }
    std::int32_t Explorers() { return world.Outlook()->Explorers()->Count(); }
    Ptr<ol::IFolder> Calendar() { return Globals::Outlook()->Session()->GetDefaultFolder(ol::olFolderCalendar); }
    // An appointment stored in the calendar without a window, as a drag or a typed-in entry stores it.
    Ptr<ol::IItem> PutIntoCalendar(std::string_view subject, std::string_view body = {}) {
        const auto item = Calendar()->Items()->Add(ol::olAppointmentItem);
        item->SetSubject(subject);
        if (!body.empty()) item->SetBody(body);
        item->Save();
        return item;
    }
};

// Without person or company the prefilled body stays empty, so the calendar
// window would take the stored appointment for one typed into it: it must
// have let go of the calendar before the folder reports the item.
TEST_F(NewAppointmentExTest, ANewWindowIsPrefilledAndItsAppointmentFiledOnceThenTheCalendarCloses) {
    const struct {
        const char* context;
        std::function<ObjectPtr()> window;
        const char* body;
        const char* person;
    } contexts[] = {
        {"a person", [this] { return world.User().OpenRecord("person", 1); }, "Nordvik Trading AB",
         "Maria Sjöberg"},
        {"a to-do with neither person nor company",
         [this] { return world.User().OpenRecord("todo", BareToDo()->ID()); }, "", ""},
    };
    for (const auto& c : contexts) {
        SCOPED_TRACE(c.context);
        const std::int32_t open = Explorers();
        BookInCalendar(c.window());
        const std::int32_t listening = Globals::EventListenerCount();
        const auto window = outlookUser.OpenNew(ol::olAppointmentItem);
        const auto item = window->CurrentItem();
        EXPECT_GE(Globals::EventListenerCount(), listening + 1) << "a tracker follows the new window";
        if (*c.body == '\0') {
            EXPECT_EQ(item->Body(), "");
        } else {
            EXPECT_NE(item->Body().find(c.body), std::string::npos) << item->Body();
        }
        SaveAndClose(window, "Site visit");
        EXPECT_EQ(Explorers(), open);
        EXPECT_EQ(Globals::EventListenerCount(), registered);
        const auto made = NewToDos();
        ASSERT_EQ(made.size(), 1U);
        EXPECT_EQ(made[0]->Text("subject"), "Site visit");
        EXPECT_EQ(made[0]->Text("person"), c.person);
        ASSERT_TRUE(Paired(Globals::Outlook()->Session()->GetItemFromID(item->EntryID())));
    }
}

TEST_F(NewAppointmentExTest, AppointmentsPutIntoTheShownCalendarAreFiledWhenTheyHaveNoBodyAndNoLink) {
    const auto explorer = BookInCalendar(world.User().OpenRecord("person", 1));
    const auto linked = NewRecord("todo");
    linked->SetValue("subject", Variant("Linked before"));
    linked->Update();
    const struct {
        const char* what;
        std::function<Ptr<ol::IItem>()> put;
        bool filed;
    } cases[] = {
        {"no body", [&] { return PutIntoCalendar("Dragged in"); }, true},
        {"a body", [&] { return PutIntoCalendar("Typed in", "Bring the samples"); }, false},
        {"a Kelo link already",
         [&] {
             const auto item = Calendar()->Items()->Add(ol::olAppointmentItem);
             item->SetSubject("Linked before");
             sync->EnableSynchronization(item, linked);
             return item;
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BareToDo();
        const auto item = c.put();
        const auto made = NewToDos();
        ASSERT_EQ(made.size(), c.filed ? 1U : 0U);
        if (c.filed) {
            EXPECT_EQ(made[0]->Text("subject"), "Dragged in");
            EXPECT_EQ(made[0]->Text("person"), "Maria Sjöberg");
            EXPECT_EQ(Paired(Globals::Outlook()->Session()->GetItemFromID(item->EntryID()))->ID(), made[0]->ID());
        }
    }
    // Another kind of folder in the window: nothing is followed until a calendar is back.
    explorer->SetCurrentFolder(Globals::Outlook()->Session()->GetDefaultFolder(ol::olFolderContacts));
    BareToDo();
    PutIntoCalendar("While away");
    EXPECT_TRUE(NewToDos().empty());
    explorer->SetCurrentFolder(Calendar());
    PutIntoCalendar("Back again");
    EXPECT_EQ(NewToDos().size(), 1U);

    explorer->Close();
    EXPECT_EQ(Globals::EventListenerCount(), registered);
    BareToDo();
    PutIntoCalendar("After the booking");
    EXPECT_TRUE(NewToDos().empty());
}

}  // namespace
}  // namespace ostrellix::addin::composetest
