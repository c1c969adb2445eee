#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IApplication.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "core/AddinConstants.h"
#include "core/Tools.h"
#include "sync/KeloSynchListener.h"
#include "tests/sync/ListenerFixture.h"

namespace ostrellix::addin {
namespace {

class KeloSynchListenerTest : public ListenerTest {
protected:
    // The user opens the record, types the value and saves.
    void SaveInKelo(const Ptr<kelo::IRecord>& record, std::string_view field, const Variant& value) {
        const auto window = world.User().OpenRecord(record->Class()->Name(), record->ID());
        world.User().Edit(window, field, value);
        world.User().Save(window);
        world.User().Close(window);
    }
};

// The item checksum is read from the stored message, so the one stored
// with a pushed item describes it as it was before that save: the item's
// next change event finds it changed and carries it back into the record
// once, with the values the record gave it; that round ends there. The
// record already holds those values, so the data engine does not store
// it again; the item takes the new checksum in a second save.
TEST_F(KeloSynchListenerTest, AKeloSaveReachesTheItemAndComesBackOnce) {
    options->SetSynchronizeTasks(true);
    const auto person = Person();
    const auto contact = Cast<outlook::IContactItem>(Pair(person));
    const auto todo = ToDo("Offer", false);
    const auto task = Pair(todo);

    StartCounting();
    SaveInKelo(person, "jobtitle", Variant("Buyer"));
    SaveInKelo(todo, "subject", Variant("Offer sent"));
    EXPECT_EQ(Reloaded(contact)->JobTitle(), "Buyer");
    EXPECT_EQ(Reloaded(task)->Subject(), "Offer sent");
    EXPECT_EQ(Reloaded(person)->Text("jobtitle"), "Buyer");
    EXPECT_EQ(Reloaded(todo)->Text("subject"), "Offer sent");
    for (const auto& [record, item] : {std::pair(person, Ptr<outlook::IItem>(contact)), std::pair(todo, task)}) {
        EXPECT_EQ(RecordStores(record), 1) << record->Class()->Name();
        EXPECT_EQ(ItemStores(item->EntryID()), 2) << record->Class()->Name();
        EXPECT_EQ(sync->IsItemModifiedSinceLastSynchronization(Reloaded(item)), Variant(false));
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(KeloSynchListenerTest, WithItsKindOffTheItemKeepsItsValuesButTakesTheNewChecksum) {
    options->SetSynchronizeContacts(false);
    const auto person = Person();
    const auto contact = Cast<outlook::IContactItem>(Pair(person));
    SaveInKelo(person, "jobtitle", Variant("Buyer"));
    EXPECT_EQ(Reloaded(contact)->JobTitle(), "");
    // Marked as in step: a later run sees nothing to copy.
    const std::string checksum = Mark(Reloaded(contact), "KeloChecksum");
    EXPECT_EQ(checksum.substr(0, checksum.find(':')), sync->ComputeRecordChecksum(Reloaded(person)).ToString());
}

TEST_F(KeloSynchListenerTest, ARecordWithoutItemIsOfferedToOutlook) {
    const auto declined = Person();
    world.User().QueueAnswers({7});
    SaveInKelo(declined, "jobtitle", Variant("Buyer"));
    EXPECT_EQ(Boxes(), std::vector<std::string>{Tools::GetText("SaveInOutlook")});
    EXPECT_FALSE(sync->FindItemFromRecord(declined));

    world.User().QueueAnswers({6});
    SaveInKelo(declined, "jobtitle", Variant("Head buyer"));
    const auto item = Cast<outlook::IContactItem>(sync->FindItemFromRecord(declined));
    ASSERT_TRUE(item);
    EXPECT_EQ(item->JobTitle(), "Head buyer");

    // Companies are not synchronized: no question.
    const auto company = StoredRecord("company", {{"name", Variant("Tallbacka")}});
    SaveInKelo(company, "phone", Variant("+46 8 123"));
    EXPECT_EQ(Boxes().size(), 2u);
}

TEST_F(KeloSynchListenerTest, AToDoHandedToAColleagueLetsItsItemGo) {
    options->SetDeleteTasksDuringSynchronization(false);
    const auto todo = ToDo("Offer", false);
    const auto task = Pair(todo);
    SaveInKelo(todo, "responsible", Variant(colleague));
    EXPECT_EQ(Mark(Reloaded(task), "KeloID"), "");

    options->SetDeleteTasksDuringSynchronization(true);
    const auto other = ToDo("Visit", false);
    const std::string entryId = Pair(other)->EntryID();
    SaveInKelo(other, "responsible", Variant(colleague));
    EXPECT_FALSE(Exists(entryId));
}

TEST_F(KeloSynchListenerTest, TheDroppedCopyGoesWhenItsWindowCloses) {
    const auto drafts = Globals::Outlook()->Session()->GetDefaultFolder(outlook::olFolderDrafts);
    const auto copy = drafts->Items()->Add(outlook::olMailItem);
    copy->SetSubject("Dropped");
    copy->Save();
    sync->DropItem(copy, nullptr);
    ASSERT_EQ(Opened().size(), 1u);
    const auto window = Opened().front();
    EXPECT_EQ(drafts->Items()->Count(), 1);

    // The window holds its listener until it closes, and not after.
    auto held = window->Value(kKeloSynchListenerTag).ToObject();
    ASSERT_TRUE(Is<KeloSynchListener>(held));
    const std::weak_ptr<Object> listener = held;
    held.reset();
    world.User().Save(window);
    world.User().Close(window);
    EXPECT_EQ(drafts->Items()->Count(), 0);
    EXPECT_TRUE(listener.expired());
    EXPECT_TRUE(window->Value(kKeloSynchListenerTag).IsEmpty());
}

TEST_F(KeloSynchListenerTest, EachWindowGetsOneListenerAndANewToDoItsContactDetails) {
    const auto application = Globals::Application();
    auto todo = NewRecord("todo", {{"subject", Variant("Call")}, {"person", Variant(1)}});
    const auto window = application->ShowRecord(todo, nullptr, kelo::kShowModeNewWindow);
    window->Show();
    const auto first = window->Value(kKeloSynchListenerTag).ToObject();
    world.User().Close(world.User().OpenRecord("person", 1));
    window->Activate();
    EXPECT_TRUE(SameObject(window->Value(kKeloSynchListenerTag).ToObject(), first));

    // Linked to a person only: her details, not her company's.
    auto maria = NewRecord("person");
    maria->Load(maria->Class(), 1);
    const std::string expected = sync->BuildContactInformation(nullptr, maria);
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(todo->Text("contact"), expected);
    EXPECT_TRUE(world.Logged("KeloSynchListener - BeforeShow"));
}

}  // namespace
}  // namespace ostrellix::addin
