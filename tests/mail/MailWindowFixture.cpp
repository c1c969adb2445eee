#include "tests/mail/MailWindowFixture.h"

#include <algorithm>

#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IItems.h"
#include "core/Globals.h"
#include "standins/kelo/client/Windows.h"

namespace ostrellix::addin::mailtest {

MailWindowTest::MailWindowTest() : before(world.Kelo().WindowList().Inspectors()) {}

MailWindowTest::MailWindowTest(ostrellix::testing::AddinWorld::Options options)
    : MailTest(options), before(world.Kelo().WindowList().Inspectors()) {}

Ptr<outlook::IMailItem> MailWindowTest::ReceiveFromMaria(std::vector<std::pair<std::string, std::string>> files) {
    standin::outlook::IncomingMail mail;
    mail.fromName = "Maria Sjoberg";
    mail.fromAddress = "maria.sjoberg@nordvik.se";
    mail.subject = "Spring order";
    mail.body = "Hello.";
    for (auto& [name, content] : files) mail.attachments.emplace_back(name, Bytes(content.begin(), content.end()));
    return outlookUser.Receive(mail);
}

std::vector<std::string> MailWindowTest::Tags(const Ptr<outlook::IInspector>& window) {
    static const char* const all[] = {"SaveMailToKelo",        "SaveAttachmentsToKelo", "ImportContactsButton",
                                      "FindKeloAddressButton", "AttachBusinessCard",    "InsertLinkButton"};
    const auto bar = window->CommandBars()->Item("Standard");
    std::vector<std::string> tags;
    for (const char* tag : all) {
        if (bar->FindControl(tag)) tags.emplace_back(tag);
    }
    return tags;
}

Ptr<outlook::IInspector> MailWindowTest::Compose(std::string_view to, std::string_view subject) {
    const auto window = outlookUser.OpenNew(outlook::olMailItem);
    outlookUser.Type(window, "To", Variant(to));
    outlookUser.Type(window, "Subject", Variant(subject));
    return window;
}

std::vector<Ptr<standin::kelo::Inspector>> MailWindowTest::Opened() {
    auto windows = world.Kelo().WindowList().Inspectors();
    std::erase_if(windows, [&](const auto& window) { return std::ranges::count(before, window) > 0; });
    // The client lists its windows front first.
    std::ranges::reverse(windows);
    return windows;
}

}  // namespace ostrellix::addin::mailtest
