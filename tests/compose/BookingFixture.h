#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IInspector.h"
#include "standins/kelo/client/MenuCommands.h"
#include "tests/mail/MailWindowFixture.h"

namespace ostrellix::addin::composetest {

// Appointments, meetings and tasks booked from Kelo's record windows on
// the mail tests' machine, with a person at Outlook's keyboard, and what a
// booking left behind: to-do records, Outlook's folders and the object
// registry.
class BookingTest : public mailtest::MailWindowTest {
protected:
    BookingTest();

    standin::kelo::MenuCommands Menu() { return standin::kelo::MenuCommands(world.Client()); }
    // The window Outlook shows in front, or nothing.
    Ptr<outlook::IInspector> Shown();
    // The user types a subject into the window and saves and closes it.
    void SaveAndClose(const Ptr<outlook::IInspector>& window, std::string_view subject);
    // The to-do records the add-in made since the test began (or since the
    // last BareToDo), oldest first.
    std::vector<Ptr<kelo::IRecord>> NewToDos();
    // A stored to-do with a subject and nothing else.
    Ptr<kelo::IRecord> BareToDo();
    // The record an item's Kelo marks name, or nothing.
    Ptr<kelo::IRecord> Paired(const Ptr<outlook::IItem>& item) { return sync->FindRecordFromItem(item); }

    const std::int32_t registered;

private:
    std::int32_t since_;
};

}  // namespace ostrellix::addin::composetest
