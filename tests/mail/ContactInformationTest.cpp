#include "contracts/outlook/IAppointmentItem.h"
#include "contracts/outlook/ITaskItem.h"
#include "mail/ContactInformation.h"
#include "tests/mail/MailFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

using ContactInformationTest = MailTest;

TEST_F(ContactInformationTest, PersonFirstThenCompanyInEachGroup) {
    const auto maria = Find("person", "lastname", Variant("Sjöberg"));
    const auto nordvik = Find("company", "name", Variant("Nordvik Trading AB"));
    const std::string expected =
        "Maria Sjöberg, Nordvik Trading AB\r\n"
        "Phone: +46 8 555 010 12, Mobile: +46 70 555 01 12, Phone: +46 8 555 010 00\r\n"
        "E-mail: maria.sjoberg@nordvik.se, Web / domain: nordvik.se\r\n"
        "Address: Hamngatan 4, 111 47 Stockholm";
    EXPECT_EQ(sync->BuildContactInformation(nordvik, maria), expected);
    EXPECT_EQ(sync->BuildContactInformation(nullptr, nullptr), "");

    const auto task = sync->CreateTaskItemFromLink(maria);
    EXPECT_EQ(task->Body(), expected);
    EXPECT_EQ(sync->GetItemProperty(task, "KeloContact").ToString(), "Maria Sjöberg");

    // A company alone: no contact person; a to-do: nothing to tell.
    const auto appointment = sync->CreateAppointmentItemFromLink(nordvik);
    EXPECT_EQ(appointment->Body().substr(0, 20), "Nordvik Trading AB\r\n");
    EXPECT_TRUE(sync->GetItemProperty(appointment, "KeloContact").IsEmpty());
    EXPECT_EQ(sync->CreateTaskItemFromLink(Find("todo", "id", Variant(1)))->Body(), "");
}

TEST_F(ContactInformationTest, LineBreaksInValuesBecomeCommas) {
    const auto person = NewRecord("person");
    person->SetValue("homeaddress", Variant("Storgatan 1\r\nBox 2\r123 45\nSolna"));
    person->SetValue("homephone", Variant("08-123"));
    std::string text = "Before";
    sync->BuildRecordInformationFromLabels(person, {19, 99, 13, 14}, text);
    EXPECT_EQ(text, "Before, Home address: Storgatan 1, Box 2, 123 45, Solna, Home phone: 08-123");
}

TEST_F(ContactInformationTest, JoinNonEmptySkipsBlankValuesButKeepsTheOthersAsTheyAre) {
    EXPECT_EQ(ContactInformation::JoinNonEmpty({"  ", " a ", "", "b"}, "|"), " a |b");
    EXPECT_EQ(ContactInformation::JoinNonEmpty({" "}, "|"), "");
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
