#include <gtest/gtest.h>

#include <functional>

#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Options.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "contracts/kelo/Codes.h"
#include "tests/compose/DetailMailFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::composetest {
namespace {

using ostrellix::testing::Raised;
using Command = std::function<void(standin::kelo::MenuCommands&, const ObjectPtr&)>;

const struct {
    const char* name;
    Command command;
    const char* trap;  // where the work's errors are reported
} kCommands[] = {
    {"send contacts", [](auto& menu, const auto& window) { menu.SendContacts(window); }, nullptr},
    {"please call", [](auto& menu, const auto& window) { menu.SendPleaseCall(window); },
     "SendPleaseCall.m_WorkDialog_Work"},
    {"all details", [](auto& menu, const auto& window) { menu.SendAllDetails(window); },
     "SendAllDetails.m_WorkDialog_Work"},
};

TEST_F(DetailMailTest, SelectedRecordsGoAsBusinessCardsOfAMailLeftBlank) {
    const std::int32_t contacts = Count(outlook::olFolderContacts);
    menu.SendContacts(Selected("person", {3, 1}));

    const auto mail = Shown();
    ASSERT_TRUE(mail);
    EXPECT_EQ(Attachments(mail), (std::vector<std::string>{"Lena Virtanen.vcf", "Maria Sjöberg.vcf"}));
    EXPECT_EQ(mail->Subject(), "");
    EXPECT_EQ(mail->Body(), "");
    EXPECT_EQ(LastDialog().messages, (std::vector<std::string>{"Lena Virtanen", "Maria Sjöberg"}));
    EXPECT_EQ(Count(outlook::olFolderContacts), contacts) << "the contacts made for the cards are not saved";
}

TEST_F(DetailMailTest, EachRecordRaisesTheProgressByAWholeShare) {
    std::vector<std::int32_t> ids{1, 2, 3, 4, 5};
    for (int i = 6; i <= 8; ++i) ids.push_back(AddPerson("Extra " + std::to_string(i), "extra@example.org")->ID());
    const struct {
        std::size_t records;
        std::vector<std::int32_t> progress;
    } cases[] = {
        {6, {17, 34, 51, 68, 85, 102}},  // 16.67 rounds up, past the end
        {8, {12, 24, 36, 48, 60, 72, 84, 96}},  // 12.5 rounds to the even 12
    };
    for (const auto& c : cases) {
        menu.SendContacts(Selected("person", std::vector<std::int32_t>(ids.begin(), ids.begin() + c.records)));
        EXPECT_EQ(LastDialog().progress, c.progress) << c.records << " records";
        outlookUser.Close(world.Outlook()->ActiveInspector(), false);
    }
}

TEST_F(DetailMailTest, WithExportTurnedOffNothingIsCollected) {
    Globals::Options()->SetAllowExport(false);
    const auto window = world.User().OpenRecord("person", 1);
    for (const auto& command : kCommands) {
        SCOPED_TRACE(command.name);
        const std::size_t dialogs = Dialogs();
        const auto error = Raised([&] { command.command(menu, window); });
        ASSERT_TRUE(error);
        EXPECT_EQ(error->Number(), 9999);
        EXPECT_EQ(error->Description(), "This function is not available because export to Outlook is turned off.");
        EXPECT_EQ(Dialogs(), dialogs) << "no dialog was shown";
        EXPECT_FALSE(Shown());
    }
}

TEST_F(DetailMailTest, AFailureWhileCollectingIsReportedWhereTheCommandTrapsIt) {
    // A record not stored yet has no link to send.
    const auto record = NewRecord("person");
    record->SetValue("lastname", Variant("Unsaved"));
    const auto window = world.Kelo().ShowRecord(record, nullptr, kelo::kShowModeNewWindow);
    for (const auto& command : kCommands) {
        if (!command.trap) continue;
        SCOPED_TRACE(command.name);
        const std::size_t boxes = world.Kelo().Boxes().History().size();
        EXPECT_FALSE(Raised([&] { command.command(menu, window); })) << "the client does not get the error";
        EXPECT_FALSE(Shown()) << "no mail is shown";
        ASSERT_EQ(world.Kelo().Boxes().History().size(), boxes + 1);
        const std::string shown = world.Kelo().Boxes().History().back().text;
        EXPECT_NE(shown.find(std::string("\r\n\r\nSource: ") + command.trap + "\r\n"), std::string::npos) << shown;
    }
}

}  // namespace
}  // namespace ostrellix::addin::composetest
