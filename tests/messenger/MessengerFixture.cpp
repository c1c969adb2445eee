#include "tests/messenger/MessengerFixture.h"

#include "contracts/mapi/IFolder.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IItems.h"
#include "contracts/outlook/INameSpace.h"
#include "core/Globals.h"

namespace ostrellix::addin::messengertest {

MessengerTest::MessengerTest() { messenger->IMessenger_SetClass(Class("person")); }

std::string MessengerTest::Draft(const std::string& subject, const std::string& body, std::int32_t bodyFormat) {
    const auto message =
        Globals::Redemption()->GetDefaultFolder(outlook::olFolderDrafts)->Items()->Add("IPM.Note");
    message->SetSubject(subject);
    switch (bodyFormat) {
        case outlook::olFormatHTML: message->SetHTMLBody(body); break;
        case outlook::olFormatRichText: message->SetRtfBody(body); break;
        default: message->SetBody(body); break;
    }
    message->Save();
    EXPECT_EQ(message->BodyFormat(), bodyFormat);
    return message->EntryID();
}

Ptr<kelo::IProperties> MessengerTest::Settings() {
    const auto settings = Cast<kelo::IProperties>(Globals::Application()->CreateObject("QVR.Properties"));
    messenger->IMessenger_SaveProperties(settings);
    return settings;
}

void MessengerTest::Set(const std::string& name, const Variant& value) {
    const auto settings = Settings();
    settings->SetValue(name, value);
    messenger->IMessenger_LoadProperties(settings);
}

Ptr<kelo::IPool> MessengerTest::Pool(const std::vector<Ptr<kelo::IRecord>>& records) {
    const auto pool = Cast<kelo::IPool>(Globals::Application()->CreateObject("QVR.Pool"));
    for (const auto& record : records) pool->Add(record->ID());
    return pool;
}

std::vector<std::int32_t> MessengerTest::Ids(const Ptr<kelo::IPool>& pool) {
    std::vector<std::int32_t> ids;
    for (std::int32_t i = 1; i <= pool->Count(); ++i) ids.push_back(pool->Item(i));
    return ids;
}

std::vector<Ptr<outlook::IMailItem>> MessengerTest::Mails(std::int32_t folderType) {
    const auto items = Globals::Outlook()->Session()->GetDefaultFolder(folderType)->Items();
    std::vector<Ptr<outlook::IMailItem>> mails;
    for (std::int32_t i = 1; i <= items->Count(); ++i) mails.push_back(Cast<outlook::IMailItem>(items->Item(i)));
    return mails;
}

}  // namespace ostrellix::addin::messengertest
