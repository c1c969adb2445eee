#include "tests/mail/MailFixture.h"

#include <fstream>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IFilter.h"
#include "contracts/kelo/IRecords.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "core/Globals.h"
#include "standins/kelo/engine/Engine.h"

namespace ostrellix::addin::mailtest {

MailTest::MailTest() : sync(Globals::Synchronizer()) {}

MailTest::MailTest(ostrellix::testing::AddinWorld::Options options)
    : world([&] {
          options.outlookRunning = true;
          options.start = true;
          return options;
      }()),
      sync(Globals::Synchronizer()) {}

Ptr<kelo::IClass> MailTest::Class(std::string_view name) { return Globals::Application()->Classes()->FindByName(name); }

Ptr<kelo::IRecord> MailTest::Find(std::string_view className, std::string_view field, const Variant& value) {
    const auto application = Globals::Application();
    const auto filter = Cast<kelo::IFilter>(application->CreateObject("QVR.Filter"));
    filter->Add(field, kelo::op::Equal, value);
    const auto records = Cast<kelo::IRecords>(application->CreateObject("QVR.Records"));
    records->Open(Class(className), filter, {}, 2);
    EXPECT_EQ(records->Count(), 1) << className << " " << field;
    return records->Count() == 1 ? records->Item(1) : nullptr;
}

Ptr<kelo::IRecord> MailTest::NewRecord(std::string_view className) {
    const auto record = Cast<kelo::IRecord>(Globals::Application()->CreateObject("QVR.Record"));
    record->New(Class(className));
    return record;
}

Ptr<kelo::IRecord> MailTest::AddPerson(std::string_view lastName, std::string_view email, std::int32_t companyId) {
    const auto person = NewRecord("person");
    person->SetValue("lastname", Variant(lastName));
    person->SetValue("email", Variant(email));
    if (companyId) person->SetValue("company", Variant(companyId));
    person->Update();
    return person;
}

Ptr<kelo::IRecord> MailTest::AddCompany(std::string_view name, std::string_view domain) {
    const auto company = NewRecord("company");
    company->SetValue("name", Variant(name));
    company->SetValue("domain", Variant(domain));
    company->Update();
    return company;
}

std::string MailTest::WriteEml(const std::string& name, const std::string& headers, const std::string& body) {
    const std::string path = (world.Folder() / name).string();
    std::ofstream(path, std::ios::binary) << headers << "MIME-Version: 1.0\r\nContent-Type: text/plain; charset=utf-8\r\n\r\n"
                                          << body << "\r\n";
    return path;
}

Ptr<mapi::IMessage> MailTest::Import(const std::string& path) {
    const auto messages = Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts)->Import(path, 0);
    return messages.at(0);
}

Ptr<outlook::IItem> MailTest::ImportItem(const std::string& path) {
    return Globals::Outlook()->Session()->GetItemFromID(Import(path)->EntryID());
}

Ptr<mapi::IMessage> MailTest::SentMail(const std::vector<std::pair<std::string, std::int32_t>>& recipients) {
    const auto message = Globals::Redemption()->GetDefaultFolder(outlook::olFolderSentMail)->Items()->Add("IPM.Note");
    message->SetSubject("Prices");
    for (const auto& [address, type] : recipients) message->Recipients()->Add(address)->SetType(type);
    message->Recipients()->ResolveAll();  // as sending does; "Sales team" stays unresolved
    message->SetSent(true);
    message->Save();
    return message;
}

std::int32_t MailTest::Count(std::int32_t folderType) {
    return Globals::Outlook()->Session()->GetDefaultFolder(folderType)->Items()->Count();
}

std::int32_t MailTest::Documents() {
    const auto records = Cast<kelo::IRecords>(Globals::Application()->CreateObject("QVR.Records"));
    records->Open(Class("document"), nullptr, {}, 100000);
    return records->Count();
}

std::int64_t MailTest::Statements() { return world.Client().Data()->StatementsRun(); }

}  // namespace ostrellix::addin::mailtest
