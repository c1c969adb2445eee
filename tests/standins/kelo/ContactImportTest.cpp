#include <gtest/gtest.h>

#include <SQLiteCpp/Database.h>

#include "contracts/kelo/Codes.h"
#include "runtime/ComError.h"
#include "standins/kelo/client/ContactImport.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/kelo/client/Windows.h"
#include "tests/standins/kelo/KeloFixture.h"
#include "tests/support/Raised.h"

namespace ostrellix::standin::kelo {
namespace {

using ostrellix::testing::Raised;

class ContactImportTest : public KeloFixture {
protected:
    Ptr<ContactImport> Import(const Variant& source, bool delay) {
        auto import = std::static_pointer_cast<ContactImport>(App().ContactImport());
        import->SetValue("Delay", Variant(delay));
        import->SetValue("Source", source);
        import->Run(ostrellix::kelo::kImportContacts);
        return import;
    }
    std::int32_t Persons() { return Engine()->Db().execAndGet("SELECT count(*) FROM " + Class("person")->Table()).getInt(); }
};

TEST_F(ContactImportTest, ACardFillsThePersonFieldsByTheirLabels) {
    const auto import = Import(
        Variant(WriteFile("karin.vcf",
                          "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Str\xC3\xB6m;Karin;;;\r\nFN:Karin Str\xC3\xB6m\r\n"
                          "EMAIL;TYPE=INTERNET,PREF:karin@tallbacka.com\r\nEMAIL:karin@example.org\r\n"
                          "TEL;TYPE=CELL:+46 70 1\r\nTEL;TYPE=WORK,VOICE:+46 8 2\r\nTEL;TYPE=FAX,HOME:+46 8 3\r\n"
                          "ADR;TYPE=WORK:;;Storgatan 1;Lund;;222 22;Sweden\r\nNOTE:line one\\nline two\r\n"
                          "ORG:Tallbacka Konsult\r\nBDAY:1985-11-30\r\nTITLE:Consultant\r\nEND:VCARD\r\n")),
        false);
    ASSERT_EQ(import->Imported().size(), 1u);
    const auto karin = Load("person", import->Imported()[0]->ID());
    EXPECT_EQ(karin->Text("firstname"), "Karin");
    EXPECT_EQ(karin->Text("lastname"), "Ström");
    EXPECT_EQ(karin->Text("email"), "karin@tallbacka.com");
    EXPECT_EQ(karin->Text("email2"), "karin@example.org");
    EXPECT_EQ(karin->Text("mobile"), "+46 70 1");
    EXPECT_EQ(karin->Text("phone"), "+46 8 2");
    EXPECT_EQ(karin->Text("homefax"), "+46 8 3");
    EXPECT_EQ(karin->Text("businessaddress"), "Storgatan 1\n222 22 Lund\nSweden");
    EXPECT_EQ(karin->Text("notes"), "line one\nline two");
    EXPECT_EQ(karin->Text("birthday"), "1985-11-30");
    EXPECT_EQ(karin->Text("jobtitle"), "Consultant");
    EXPECT_EQ(karin->Text("company"), "Tallbacka Konsult");
}

TEST_F(ContactImportTest, ImportedPersonsAreStoredAndLinkedToTheirCompany) {
    const std::int32_t before = Persons();
    const auto import = Import(
        Variant(VariantArray{
            Variant(WriteFile("a.vcf", "BEGIN:VCARD\nVERSION:3.0\nFN:Karin Ström\nORG:tallbacka konsult\nEND:VCARD\n")),
            Variant(WriteFile("b.xml", "<IPM><PR_MESSAGE_CLASS>IPM.Contact</PR_MESSAGE_CLASS>"
                                        "<PR_DISPLAY_NAME>Olle Nilsson</PR_DISPLAY_NAME>"
                                        "<PR_EMAIL1_ADDRESS>olle@brisa-logistics.com</PR_EMAIL1_ADDRESS>"
                                        "<PR_COMPANY_NAME>Unknown AB</PR_COMPANY_NAME></IPM>"))}),
        false);
    EXPECT_EQ(Persons(), before + 2);
    ASSERT_EQ(import->Imported().size(), 2u);
    const auto karin = Load("person", import->Imported()[0]->ID());
    EXPECT_EQ(karin->Descriptive(), "Karin Ström");
    EXPECT_EQ(karin->Text("company"), "Tallbacka Konsult");
    const auto olle = Load("person", import->Imported()[1]->ID());
    EXPECT_EQ(olle->Text("email"), "olle@brisa-logistics.com");
    EXPECT_TRUE(olle->Value("company").IsNull());
    EXPECT_TRUE(App().WindowList().Inspectors().empty());
}

TEST_F(ContactImportTest, WithDelayTheRecordsOpenInWindowsAndAreNotStored) {
    const std::int32_t before = Persons();
    Import(Variant(WriteFile("c.vcf", "BEGIN:VCARD\nN:Lund;Eva\nEND:VCARD\nBEGIN:VCARD\nEMAIL:only@mail.se\nEND:VCARD\n")),
           true);
    EXPECT_EQ(Persons(), before);
    const auto windows = App().WindowList().Inspectors();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->Record()->Text("email"), "only@mail.se");
    EXPECT_EQ(windows[1]->Record()->Descriptive(), "Eva Lund");
}

TEST_F(ContactImportTest, ARecordTheCheckRefusesOpensInAWindowInstead) {
    Import(Variant(WriteFile("d.vcf", "BEGIN:VCARD\nEMAIL:nameless@mail.se\nEND:VCARD\n")), false);
    ASSERT_EQ(App().WindowList().Inspectors().size(), 1u);
    EXPECT_EQ(App().WindowList().Inspectors()[0]->Record()->ID(), 0);
}

TEST_F(ContactImportTest, ABadFileImportsNothing) {
    const std::int32_t before = Persons();
    const Variant files(VariantArray{Variant(WriteFile("ok.vcf", "BEGIN:VCARD\nFN:Good One\nEND:VCARD\n")),
                                     Variant(WriteFile("bad.xml", "<Other/>"))});
    const auto error = Raised([&] { Import(files, false); });
    ASSERT_TRUE(error);
    EXPECT_NE(error->Description().find("bad.xml"), std::string::npos);
    EXPECT_EQ(Persons(), before);
    EXPECT_THROW(Import(Variant(WriteFile("x.txt", "")), false), ComError);
    auto import = App().ContactImport();
    EXPECT_THROW(import->Run(8), ComError);
}

}  // namespace
}  // namespace ostrellix::standin::kelo
