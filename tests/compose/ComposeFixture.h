#pragma once

#include <string>
#include <vector>

#include "compose/NewMail.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/outlook/IMailItem.h"
#include "tests/mail/MailWindowFixture.h"

namespace ostrellix::addin::composetest {

// Mails composed from Kelo on the mail tests' machine, with sent mail
// filed without asking, and what a composition left behind: Outlook's
// windows and folders, Kelo's document records and the object registry.
class ComposeTest : public mailtest::MailWindowTest {
protected:
    ComposeTest();

    static Ptr<NewMail> Builder() { return std::make_shared<NewMail>(); }
    // The mail of Outlook's active window, or nothing.
    Ptr<outlook::IMailItem> Shown();
    // The mail's recipients' addresses, in its order.
    static std::vector<std::string> Addresses(const Ptr<outlook::IMailItem>& mail);
    // A file in the world's folder with this content.
    std::string WriteFile(const std::string& name, const std::string& content);
    // A message file of a mail Outlook holds.
    std::string SaveAsMsg(const Ptr<outlook::IMailItem>& mail, const std::string& name);
    // A stored document record whose file is the message file.
    Ptr<kelo::IRecord> DocumentRecord(const std::string& path);

    const std::int32_t registered;
    const std::int32_t drafts;
    const std::int32_t sentItems;
    const std::int32_t documents;
};

}  // namespace ostrellix::addin::composetest
