#include <gtest/gtest.h>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IFilter.h"
#include "core/Globals.h"
#include "messenger/MessengerRecipients.h"
#include "runtime/ComError.h"
#include "tests/messenger/MessengerFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::addin::messengertest {
namespace {

using ostrellix::testing::Raised;

class MessengerRecipientsTest : public MessengerTest {
protected:
    Ptr<kelo::IRecords> Records(const std::vector<Ptr<kelo::IRecord>>& list) {
        const auto records = Cast<kelo::IRecords>(Globals::Application()->CreateObject("QVR.Records"));
        for (const auto& record : list) records->Add(record);
        return records;
    }
};

TEST_F(MessengerRecipientsTest, AddressesThatDifferOnlyInCaseAreDuplicatesUnlessTheMailingKeepsThem) {
    const auto first = AddPerson("Berg", "ulla.berg@example.org");
    const auto second = AddPerson("Berg", "Ulla.Berg@Example.ORG");
    for (const bool ignore : {true, false}) {
        SCOPED_TRACE(ignore ? "duplicates ignored" : "duplicates kept");
        Set("IgnoreDuplicates", Variant(ignore));
        const std::vector<std::int32_t> expected =
            ignore ? std::vector{first->ID()} : std::vector{first->ID(), second->ID()};
        ASSERT_EQ(Ids(messenger->IMessenger_OpenRecipients(Pool({first, second}))), expected);
        auto& list = *messenger->CurrentRecipients();
        EXPECT_EQ(list.Recipients()->Count(), ignore ? 1 : 2);
        EXPECT_EQ(messenger->IMessenger_RecipientCount(), ignore ? 1 : 2);
        EXPECT_EQ(list.UniqueEmailAddresses()->Keys(), std::vector<std::string>{"ulla.berg@example.org"});
    }
}

TEST_F(MessengerRecipientsTest, RecordsWithoutAUsableAddressNeverEnterTheList) {
    const auto none = AddPerson("Nobody", "");
    const auto noAt = AddPerson("Broken", "ulla.example.org");
    const auto noDot = AddPerson("Local", "ulla@localhost");
    const auto doubleDot = AddPerson("Dots", "ulla..berg@example.org");
    const auto capitals = AddPerson("Loud", "ULLA.BERG@EXAMPLE.ORG");
    EXPECT_EQ(Ids(messenger->IMessenger_OpenRecipients(Pool({none, noAt, noDot, doubleDot, capitals}))),
              std::vector{capitals->ID()});
    EXPECT_EQ(messenger->CurrentRecipients()->UniqueEmailAddresses()->Keys(),
              std::vector<std::string>{"ulla.berg@example.org"});
}

TEST_F(MessengerRecipientsTest, TheRecordsOfThePoolAreFurtherLimitedByTheMailingsFilter) {
    const auto dahl = Find("person", "lastname", Variant("Dahl"));
    const auto okafor = Find("person", "lastname", Variant("Okafor"));
    const auto filter = Cast<kelo::IFilter>(Globals::Application()->CreateObject("QVR.Filter"));
    filter->Add("email", kelo::op::Contains, Variant("example.org"));
    Set("Filter", Variant(filter));
    const auto maria = Find("person", "lastname", Variant("Sjöberg"));
    EXPECT_EQ(Ids(messenger->IMessenger_OpenRecipients(Pool({okafor, dahl, maria}))), std::vector{dahl->ID()});
    EXPECT_EQ(filter->Count(), 1) << "the filter and the pool form one group";
    // The pool condition stays in the mailing's filter: a second opening must pass both pools.
    const auto sofieToo = AddPerson("Dahl", "sofie.two@example.org");
    EXPECT_EQ(Ids(messenger->IMessenger_OpenRecipients(Pool({dahl, sofieToo}))), std::vector{dahl->ID()});
}

TEST_F(MessengerRecipientsTest, TheListNeedsTheMailingsSettingsAndTakesARecordOnce) {
    const auto person = AddPerson("Berg", "ulla.berg@example.org");
    MessengerRecipients unset;
    const auto error = Raised([&] { unset.AddRecipientsFromRecords(Records({person})); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Number(), 9999);
    EXPECT_EQ(error->Description(), "The mailing has no settings. Please set up the mailing again.");

    const auto settings = Settings();
    MessengerRecipients ignoring;
    ignoring.SetProperties(settings);
    ignoring.AddRecipientsFromRecords(Records({person, person}));
    EXPECT_EQ(ignoring.Count(), 1) << "the second is a duplicate address";

    settings->SetValue("IgnoreDuplicates", Variant(false));
    MessengerRecipients keeping;
    keeping.SetProperties(settings);
    const auto twice = Raised([&] { keeping.AddRecipientsFromRecords(Records({person, person})); });
    ASSERT_TRUE(twice);
    EXPECT_EQ(twice->Number(), 457) << "the list is keyed by record id";
}

}  // namespace
}  // namespace ostrellix::addin::messengertest
