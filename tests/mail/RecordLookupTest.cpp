#include "contracts/kelo/IExplorer.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IContactItem.h"
#include "core/Globals.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/Explorer.h"
#include "standins/kelo/client/Inspector.h"
#include "tests/mail/MailFixture.h"

namespace ostrellix::addin::mailtest {
namespace {

using RecordLookupTest = MailTest;

std::int32_t IdOf(const Ptr<kelo::IRecord>& record) { return record ? record->ID() : 0; }

TEST_F(RecordLookupTest, AnAddressIsAcceptedOnlyWhenExactlyOneRecordHoldsIt) {
    const auto maria = Find("person", "email", Variant("maria.sjoberg@nordvik.se"));
    auto before = Statements();
    EXPECT_EQ(IdOf(sync->FindPersonRecordFromEmail("Maria.Sjoberg@nordvik.se")), maria->ID());
    EXPECT_EQ(Statements() - before, 1);
    EXPECT_TRUE(world.Logged(
        "Synchronizer - FindRecordFromEmail - EmailField: email, Address: Maria.Sjoberg@nordvik.se - Matched"));
    EXPECT_FALSE(sync->FindPersonRecordFromEmail("nobody@nordvik.se"));
    EXPECT_TRUE(world.Logged("Address: nobody@nordvik.se - No match"));

    // Three holders: still one query, which stops at two rows.
    AddPerson("Twin", "maria.sjoberg@nordvik.se");
    AddPerson("Triplet", "maria.sjoberg@nordvik.se");
    before = Statements();
    EXPECT_FALSE(sync->FindPersonRecordFromEmail("maria.sjoberg@nordvik.se"));
    EXPECT_EQ(Statements() - before, 1);
    EXPECT_TRUE(world.Logged("Address: maria.sjoberg@nordvik.se - Ambigious matches (2)"));

    // Nothing to search with: no query at all.
    before = Statements();
    EXPECT_FALSE(sync->FindPersonRecordFromEmail(""));
    EXPECT_FALSE(sync->FindRecordFromEmail("maria.sjoberg@nordvik.se", Class("company")));  // no e-mail field
    EXPECT_FALSE(sync->FindRecordFromEmail("maria.sjoberg@nordvik.se", nullptr));
    EXPECT_EQ(Statements(), before);
}

TEST_F(RecordLookupTest, CompanyByPersonThenDomainThenAnyPersonAtTheDomain) {
    const auto nordvik = Find("company", "name", Variant("Nordvik Trading AB"));
    const auto tallbacka = Find("company", "name", Variant("Tallbacka Konsult"));
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromEmail("johan.ek@nordvik.se")), nordvik->ID());
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromEmail("someone.new@tallbacka.com")), tallbacka->ID());
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromEmail("tallbacka.com")), tallbacka->ID());  // no "@": all of it is the domain

    // Two companies claim the domain: the one with persons at it wins.
    AddCompany("Nordvik Holding", "nordvik.se");
    auto before = Statements();
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromEmail("someone.new@nordvik.se")), nordvik->ID());
    EXPECT_EQ(Statements() - before, 3);
    // The last search wants the domain right after the "@", not any text that ends like it.
    EXPECT_FALSE(sync->FindCompanyRecordFromEmail("someone@ordvik.se"));

    before = Statements();
    EXPECT_FALSE(sync->FindCompanyRecordFromEmail("someone@"));  // only the exact-address search
    EXPECT_EQ(Statements() - before, 1);
    EXPECT_FALSE(sync->FindCompanyRecordFromEmail(""));
    EXPECT_EQ(Statements() - before, 1);
}

TEST_F(RecordLookupTest, CompanyByNameAndContactsByCompanyOrAddress) {
    const auto brisa = Find("company", "name", Variant("Brisa Logistics"));
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromName("BRISA LOGISTICS")), brisa->ID());
    EXPECT_FALSE(sync->FindCompanyRecordFromName(""));

    const auto contact = Cast<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
    contact->SetCompanyName("Unknown Ltd");
    contact->SetEmail1Address("paul.okafor@brisa-logistics.com");
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromContactItem(contact)), brisa->ID());
    EXPECT_FALSE(contact->EntryID().empty());  // saved so that the MAPI library could open it

    contact->SetCompanyName("Tallbacka Konsult");
    contact->Save();
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromContactItem(contact)),
              Find("company", "name", Variant("Tallbacka Konsult"))->ID());
}

TEST_F(RecordLookupTest, TheContextGivesACopyOfTheRecordItStandsFor) {
    auto& user = world.User();
    const auto nordvik = Find("company", "name", Variant("Nordvik Trading AB"));
    const auto maria = Find("person", "lastname", Variant("Sjöberg"));
    EXPECT_FALSE(sync->GetRecordFromContext(nullptr));

    const auto copy = sync->GetRecordFromContext(maria);
    ASSERT_TRUE(copy);
    EXPECT_FALSE(SameObject(copy, maria));
    EXPECT_EQ(copy->ID(), maria->ID());

    // Persons listed in a company's window: the active person, not the company.
    const auto card = user.OpenRecord("company", nordvik->ID());
    const auto persons = user.OpenList("person", nullptr, card);
    user.SetActiveItem(persons, maria->ID());
    EXPECT_EQ(IdOf(sync->GetRecordFromContext(persons)), maria->ID());
    user.SetActiveItem(persons, std::nullopt);
    EXPECT_EQ(IdOf(sync->GetRecordFromContext(persons)), nordvik->ID());

    // A to-do list in the same window: its card, whatever is active.
    const auto todos = user.OpenList("todo", nullptr, card);
    user.SetActiveItem(todos, 1);
    EXPECT_EQ(IdOf(sync->GetRecordFromContext(todos)), nordvik->ID());
    EXPECT_EQ(IdOf(sync->GetRecordFromContext(card)), nordvik->ID());
}

TEST_F(RecordLookupTest, AWindowsRecordNotStoredYetHasNoCopyToGive) {
    const auto card = world.User().NewRecord("company");
    world.User().Edit(card, "name", Variant("Not Yet AB"));
    EXPECT_THROW(sync->GetRecordFromContext(card), ComError);  // nothing to load a copy from
    EXPECT_EQ(card->Record()->Text("name"), "Not Yet AB");
    EXPECT_EQ(card->Record()->ID(), 0);
}

// A user's edits of a stored contact or mail stay unsaved: the lookups and
// the filing read the item as it is stored.
TEST_F(RecordLookupTest, LookupsAndFilingCommitNoPendingEdit) {
    const auto contact = Cast<outlook::IContactItem>(Globals::Outlook()->CreateItem(outlook::olContactItem));
    contact->SetEmail1Address("paul.okafor@brisa-logistics.com");
    contact->Save();
    contact->SetEmail1Address("lena@tallbacka.com");
    const auto mail = ImportItem(WriteEml("received.eml", kFromMaria));
    mail->SetSubject("Edited, not saved");
    std::int32_t writes = 0;
    const Connection contactWrites = contact->Events().Write.Connect([&](bool&) { ++writes; });
    const Connection mailWrites = mail->Events().Write.Connect([&](bool&) { ++writes; });

    EXPECT_EQ(IdOf(sync->FindPersonRecordFromContactItem(contact)), Find("person", "lastname", Variant("Okafor"))->ID());
    EXPECT_EQ(IdOf(sync->FindCompanyRecordFromContactItem(contact)),
              Find("company", "name", Variant("Brisa Logistics"))->ID());
    EXPECT_EQ(sync->GetSenderAddressFromItem(mail), "maria.sjoberg@nordvik.se");
    const auto record = sync->CreateMailRecord();
    sync->UpdateRecordFromMailItem(record, mail, nullptr);
    EXPECT_EQ(record->Text("comment"), "Spring order");

    EXPECT_EQ(writes, 0);
    EXPECT_FALSE(contact->Saved());
    EXPECT_FALSE(mail->Saved());
}

// A person of no company links to the person alone.
TEST_F(RecordLookupTest, APersonWithoutACompanyIsALinkToThePersonAlone) {
    const auto dahl = Find("person", "lastname", Variant("Dahl"));
    const auto [company, person] = sync->FindCompanyAndPersonFromLink(dahl);
    EXPECT_FALSE(company);
    EXPECT_EQ(IdOf(person), dahl->ID());
}

std::vector<std::string> Addresses(const Variant& recipients) {
    std::vector<std::string> addresses;
    if (!recipients.IsArray()) return addresses;
    for (const Variant& value : recipients.ToArray()) addresses.push_back(value.ToString());
    return addresses;
}

TEST_F(RecordLookupTest, RecipientsOfAContextInOrder) {
    using Strings = std::vector<std::string>;
    auto& user = world.User();
    Variant recipients(std::string("unchanged"));
    sync->FindRecipientsFromContext(recipients, Find("company", "name", Variant("Brisa Logistics")));
    EXPECT_EQ(recipients.ToString(), "unchanged");  // no address of its own, no relation to one with one

    // A document has none of its own: the first relation to a class with one (its coworker).
    sync->FindRecipientsFromContext(recipients, user.OpenRecord("document", 1));
    EXPECT_EQ(Addresses(recipients), Strings{"anna.lindqvist@demo.example"});

    const auto dahl = Find("person", "lastname", Variant("Dahl"));
    const auto ek = Find("person", "lastname", Variant("Ek"));
    const auto blank = AddPerson("Blank", "");
    const auto persons = user.OpenList("person");
    recipients = Variant(std::string("unchanged"));
    sync->FindRecipientsFromContext(recipients, persons);  // nothing selected
    EXPECT_EQ(recipients.ToString(), "unchanged");
    user.Select(persons, {dahl->ID(), blank->ID(), ek->ID()});
    sync->FindRecipientsFromContext(recipients, persons);
    EXPECT_EQ(Addresses(recipients), (Strings{"sofie.dahl@example.org", "johan.ek@nordvik.se"}));

    const auto todos = user.OpenList("todo");
    user.Select(todos, {2, 1});
    sync->FindRecipientsFromContext(recipients, todos);
    EXPECT_EQ(Addresses(recipients), (Strings{"erik.holm@demo.example", "anna.lindqvist@demo.example"}));
}

}  // namespace
}  // namespace ostrellix::addin::mailtest
