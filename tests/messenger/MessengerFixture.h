#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "contracts/kelo/IPool.h"
#include "contracts/kelo/IProperties.h"
#include "contracts/outlook/IMailItem.h"
#include "messenger/Messenger.h"
#include "tests/mail/MailFixture.h"

namespace ostrellix::addin::messengertest {

// A mailing of person records through a new engine, with the settings the
// client gives a new mailing of that class, on the mail tests' machine.
class MessengerTest : public mailtest::MailTest {
protected:
    MessengerTest();

    // A draft in Outlook's Drafts folder; bodyFormat 1 plain, 2 HTML, 3 rich text.
    std::string Draft(const std::string& subject, const std::string& body, std::int32_t bodyFormat = 1);
    // The messenger's own settings as it saves them for the client.
    Ptr<kelo::IProperties> Settings();
    // Sets one of the mailing's settings as the client's options control does.
    void Set(const std::string& name, const Variant& value);
    Ptr<kelo::IPool> Pool(const std::vector<Ptr<kelo::IRecord>>& records);
    static std::vector<std::int32_t> Ids(const Ptr<kelo::IPool>& pool);
    // The mails of one of Outlook's default folders.
    std::vector<Ptr<outlook::IMailItem>> Mails(std::int32_t folderType);

    Ptr<Messenger> messenger = std::make_shared<Messenger>();
};

}  // namespace ostrellix::addin::messengertest
