#include "contracts/outlook/Constants.h"
#include "standins/kelo/engine/Engine.h"
#include "standins/kelo/engine/Schema.h"
#include "tests/sync/SyncFixture.h"

namespace ostrellix::addin {
namespace {

// The checksums of both sides of a pair, against the texts they are taken over.
class ItemChecksumTest : public SyncTest {
protected:
    std::string Checksum(std::string_view text) { return sync->ComputeChecksum(text); }
};

TEST_F(ItemChecksumTest, AnAppointmentIsSavedFirstAndItsDatesHaveTheFixedTextForm) {
    const auto appointment = NewItem<outlook::IAppointmentItem>(outlook::olAppointmentItem);
    appointment->SetStart(Date::FromParts(2024, 5, 1, 9, 5));
    appointment->SetEnd(Date::FromParts(2024, 5, 2));
    appointment->SetSubject("Fair");
    appointment->SetLocation("Hall");
    appointment->SetBody("Notes");
    ASSERT_EQ(appointment->EntryID(), "");
    EXPECT_EQ(sync->ComputeItemChecksum(appointment), Checksum("2024-05-01 09:05:002024-05-02FairHallNotes"));
    EXPECT_NE(appointment->EntryID(), "");
    EXPECT_TRUE(appointment->Saved());
}

TEST_F(ItemChecksumTest, TasksContactsAndOtherItems) {
    const auto task = NewItem<outlook::ITaskItem>(outlook::olTaskItem);
    task->SetStartDate(Date::FromParts(2024, 5, 6));
    task->SetSubject("Call");
    task->SetComplete(true);
    EXPECT_EQ(sync->ComputeItemChecksum(task), Checksum("2024-05-064501-01-01CallTrue"));

    const auto contact = NewItem<outlook::IContactItem>(outlook::olContactItem);
    contact->SetBody("a");
    contact->SetFullName("b c");
    contact->SetNickName("d");
    contact->SetJobTitle("e");
    contact->SetBirthday(Date::FromParts(1980, 4, 12));
    contact->SetMobileTelephoneNumber("f");
    contact->SetEmail1Address("g@x");
    contact->SetEmail2Address("h@x");
    contact->SetHomeTelephoneNumber("i");
    contact->SetHomeAddress("j");
    contact->SetHomeFaxNumber("k");
    contact->SetPersonalHomePage("l");
    contact->SetBusinessTelephoneNumber("m");
    contact->SetBusinessAddress("n");
    contact->SetBusinessFaxNumber("o");
    contact->SetBusinessHomePage("p");
    EXPECT_EQ(sync->ComputeItemChecksum(contact), Checksum("ab cde1980-04-12fg@xh@xijklmnop"));

    EXPECT_EQ(sync->ComputeItemChecksum(Globals::Outlook()->CreateItem(outlook::olMailItem)), "");
}

// Persons get a field without a label and one excluded from checksums.
class RecordChecksumTest : public ItemChecksumTest {
protected:
    RecordChecksumTest() {
        standin::kelo::Schema& schema = world.Client().Data()->Metadata();
        const auto person = schema.Require("person");
        schema.AddField(person, {.name = "memo", .type = kelo::fieldtype::LongText});
        schema.AddField(person, {.name = "internal", .label = 8, .excluded = true});
    }
    std::string Of(std::initializer_list<FieldValue> values) {
        auto record = NewRecord("person", {{"lastname", "Berg"}});
        for (const auto& [field, value] : values) record->SetValue(field, value);
        return sync->ComputeRecordChecksum(record).ToString();
    }
};

TEST_F(RecordChecksumTest, OnlyLabelledFieldsWithTextCount) {
    EXPECT_EQ(Of({{"firstname", "Ida"}}), Checksum("IdaBerg"));
    const std::string plain = Of({});
    EXPECT_EQ(Of({{"memo", "changed"}}), plain);
    EXPECT_EQ(Of({{"internal", "changed"}}), plain);
    EXPECT_EQ(Of({{"company", 1}}), plain);  // relations take no part
    EXPECT_NE(Of({{"notes", "changed"}}), plain);
}

TEST_F(RecordChecksumTest, OnlyTheFirst100CharactersOfAFieldCount) {
    std::string hundred;
    for (int i = 0; i < 100; ++i) hundred += "é";
    EXPECT_EQ(Of({{"notes", hundred + "x"}}), Of({{"notes", hundred + "y"}}));
    EXPECT_NE(Of({{"notes", hundred.substr(2) + "x"}}), Of({{"notes", hundred.substr(2) + "y"}}));
}

TEST_F(RecordChecksumTest, LineBreaksDoNotCount) {
    const std::string joined = Of({{"notes", "line oneline two"}});
    EXPECT_EQ(Of({{"notes", "line one\r\nline two"}}), joined);
    EXPECT_EQ(Of({{"notes", "line one\nline two"}}), joined);
}

}  // namespace
}  // namespace ostrellix::addin
