#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/office/ICommandBar.h"
#include "contracts/office/ICommandBars.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IMailItem.h"
#include "core/Tools.h"
#include "tests/sync/ListenerFixture.h"

namespace ostrellix::addin {
namespace {

using InspectorButtonsTest = ListenerTest;

TEST_F(InspectorButtonsTest, AnItemGetsTheButtonOfItsKindAndPairing) {
    const auto meeting = Cast<outlook::IAppointmentItem>(sync->CreateItem(outlook::olAppointmentItem));
    meeting->SetSubject("Board meeting");
    meeting->SetMeetingStatus(outlook::olMeeting);
    meeting->Save();
    const auto contact = Cast<outlook::IContactItem>(sync->CreateItem(outlook::olContactItem));
    contact->SetLastName("Berg");
    contact->Save();
    const auto mail = Globals::Outlook()->CreateItem(outlook::olMailItem);
    mail->SetSubject("Hello");
    mail->Save();

    const struct {
        const char* what;
        Ptr<outlook::IItem> item;
        std::vector<std::string> tags;
    } cases[] = {
        {"appointment", Saved(outlook::olAppointmentItem, "Lunch"), {"SaveAppointmentItem"}},
        {"meeting", meeting, {}},
        {"task", Saved(outlook::olTaskItem, "Call back"), {"SaveTaskItem"}},
        {"contact", contact, {"SaveContactItem"}},
        {"paired appointment", Pair(ToDo("Visit", true)), {"OpenAppointmentItem"}},
        {"paired task", Pair(ToDo("Offer", false)), {"OpenTaskItem"}},
        {"paired contact", Pair(Person("Dahl")), {"OpenContactItem"}},
        {"mail", mail, {}},
    };
    for (const auto& c : cases) {
        // Opened twice: the buttons are added once.
        for (int time = 0; time < 2; ++time) {
            const auto window = outlookUser.Open(c.item);
            EXPECT_EQ(Tags(window), c.tags) << c.what;
            if (!Is<outlook::IMailItem>(c.item)) {
                EXPECT_EQ(window->CommandBars()->Item("Standard")->ControlCount(), std::ssize(c.tags)) << c.what;
            }
            outlookUser.Close(window, false);
        }
    }
    const auto window = outlookUser.Open(cases[0].item);
    const auto save = window->CommandBars()->Item("Standard")->FindControl("SaveAppointmentItem");
    EXPECT_EQ(save->Caption(), "Save in Kelo");
    EXPECT_EQ(save->Style(), office::msoButtonIconAndCaption);
    EXPECT_TRUE(save->Visible());
}

TEST_F(InspectorButtonsTest, SaveOpensAnUnsavedRecordThatIsPairedWhenTheUserSavesIt) {
    const auto contact = Cast<outlook::IContactItem>(sync->CreateItem(outlook::olContactItem));
    contact->SetFirstName("Lena");
    contact->SetLastName("Berg");
    contact->SetJobTitle("Buyer");
    const auto window = outlookUser.Open(contact);
    outlookUser.Click(window, "SaveContactItem");

    ASSERT_EQ(Opened().size(), 1u);
    const auto recordWindow = Opened().front();
    EXPECT_TRUE(recordWindow->Record()->State() & kelo::recordstate::New);
    EXPECT_TRUE(recordWindow->Changed());
    EXPECT_TRUE(SameObject(recordWindow->Value("OutlookItem").ToObject(), contact));
    EXPECT_EQ(recordWindow->Record()->Value("jobtitle").ToString(), "Buyer");
    EXPECT_FALSE(contact->EntryID().empty());  // saved before it was read
    EXPECT_TRUE(Boxes().empty());

    world.User().Save(recordWindow);
    const std::int32_t id = recordWindow->Record()->ID();
    EXPECT_EQ(Mark(Reloaded(contact), "KeloID"), "person:" + std::to_string(id));
    world.User().Close(recordWindow);
    outlookUser.Close(window, false);
    EXPECT_EQ(Tags(outlookUser.Open(contact)), std::vector<std::string>{"OpenContactItem"});
}

TEST_F(InspectorButtonsTest, OpenShowsThePairedRecordOrSaysItIsGone) {
    const auto task = Pair(ToDo("Offer", false));
    const auto person = Person("Dahl");
    const auto contact = Pair(person);

    outlookUser.Click(outlookUser.Open(task), "OpenTaskItem");
    ASSERT_EQ(Opened().size(), 1u);
    EXPECT_EQ(Opened().front()->Record()->Value("subject").ToString(), "Offer");

    world.User().DeleteRecord("person", person->ID());
    outlookUser.Click(outlookUser.Open(contact), "OpenContactItem");
    EXPECT_EQ(Opened().size(), 1u);
    EXPECT_EQ(Boxes(), std::vector<std::string>{Tools::GetText("ContactNotFoundInKelo")});
}

}  // namespace
}  // namespace ostrellix::addin
