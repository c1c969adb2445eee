#include <gtest/gtest.h>

#include "core/Tools.h"
#include "runtime/ErrorHandling.h"
#include "standins/kelo/client/Explorer.h"
#include "tests/sync/ListenerFixture.h"

namespace ostrellix::addin {
namespace {

class ExportTest : public ListenerTest {
protected:
    ExportTest() { options->SetAllowExport(true); }

    // The user selects the records in a list window of their class and sends them to Outlook.
    void ExportSelection(std::string_view className, const std::vector<std::int32_t>& ids) {
        const auto list = world.User().OpenList(className);
        world.User().Select(list, ids);
        world.TheAddin()->IOutlookAddin_SendToOutlook(list);
    }
    bool InOutlook(std::string_view className, std::int32_t id) {
        auto record = NewRecord(className);
        record->Load(record->Class(), id);
        return sync->FindItemFromRecord(record) != nullptr;
    }
    std::vector<std::int32_t> Persons(int count) {
        std::vector<std::int32_t> ids;
        for (int i = 0; i < count; ++i) {
            ids.push_back(StoredRecord("person", {{"lastname", Variant("Export " + std::to_string(i))}})->ID());
        }
        return ids;
    }
};

TEST_F(ExportTest, OneRecordGoesWithoutAQuestionTwoAfterOne) {
    const auto ids = Persons(3);
    ExportSelection("person", {ids[0]});
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(InOutlook("person", ids[0]));

    world.User().QueueAnswers({1});
    ExportSelection("person", {ids[1], ids[2]});
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Export 2 people to Outlook?"});
    EXPECT_EQ(world.Kelo().Boxes().History().back().flags, 65);
    EXPECT_TRUE(InOutlook("person", ids[1]));
    EXPECT_TRUE(InOutlook("person", ids[2]));

    // Again: the same items are brought up to date, not copied.
    world.User().QueueAnswers({1});
    const auto before = Globals::Synchronizer()->ContactsFolder()->Items()->Count();
    ExportSelection("person", {ids[0], ids[1]});
    EXPECT_EQ(Globals::Synchronizer()->ContactsFolder()->Items()->Count(), before);
}

TEST_F(ExportTest, TheQuestionNamesTheClassAndCancelExportsNothing) {
    const struct {
        const char* className;
        std::vector<std::int32_t> ids;
        const char* question;
    } cases[] = {
        {"coworker", {1, 2}, "Export 2 coworkers to Outlook?"},
        {"todo", {1, 2}, "Export 2 to-dos to Outlook?"},
        {"company", {1, 2, 3}, "Export 3 records to Outlook?"},
    };
    for (const auto& c : cases) {
        world.User().QueueAnswers({2});
        ExportSelection(c.className, c.ids);
        EXPECT_EQ(Boxes().back(), c.question);
        EXPECT_FALSE(InOutlook(c.className, c.ids[0])) << c.className;
    }
}

TEST_F(ExportTest, CancelledHalfWayTheRecordsDoneStay) {
    const auto ids = Persons(4);
    world.User().QueueAnswers({1});
    world.User().CancelNextWorkDialogAfter(2);
    ExportSelection("person", ids);
    EXPECT_TRUE(InOutlook("person", ids[0]));
    EXPECT_TRUE(InOutlook("person", ids[1]));
    EXPECT_FALSE(InOutlook("person", ids[2]));
    EXPECT_FALSE(InOutlook("person", ids[3]));
}

TEST_F(ExportTest, ARecordWindowExportsItsRecordUnlessExportIsOff) {
    const auto window = world.User().OpenRecord("todo", 1);
    world.TheAddin()->IOutlookAddin_SendToOutlook(window);
    EXPECT_TRUE(InOutlook("todo", 1));
    EXPECT_TRUE(Boxes().empty());

    options->SetAllowExport(false);
    const auto error =
        IgnoreErrors([&] { world.TheAddin()->IOutlookAddin_SendToOutlook(world.User().OpenRecord("person", 1)); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Description(), Tools::GetText("NotAvailable"));
    EXPECT_FALSE(InOutlook("person", 1));
}

}  // namespace
}  // namespace ostrellix::addin
