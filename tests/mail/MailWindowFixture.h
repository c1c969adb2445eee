#pragma once

#include <string>
#include <utility>
#include <vector>

#include "contracts/outlook/IMailItem.h"
#include "standins/kelo/client/Inspector.h"
#include "standins/outlook/SimulatedUser.h"
#include "tests/mail/MailFixture.h"

namespace ostrellix::addin::mailtest {

// The mail tests with a person at Outlook's keyboard, and the Kelo record
// windows and object registry to check what the add-in's listeners did.
class MailWindowTest : public MailTest {
protected:
    MailWindowTest();
    explicit MailWindowTest(ostrellix::testing::AddinWorld::Options options);

    // A mail from Maria Sjöberg delivered to the Inbox, with these file attachments (name, content).
    Ptr<outlook::IMailItem> ReceiveFromMaria(std::vector<std::pair<std::string, std::string>> files = {});
    // The add-in's button tags on the window's "Standard" bar, in table order.
    static std::vector<std::string> Tags(const Ptr<outlook::IInspector>& window);
    // A new mail in a window, addressed and titled, not yet sent.
    Ptr<outlook::IInspector> Compose(std::string_view to, std::string_view subject);
    // The Kelo record windows opened since the test began, in the order they opened.
    std::vector<Ptr<standin::kelo::Inspector>> Opened();

    standin::outlook::SimulatedUser outlookUser{world.Outlook()};
    std::vector<Ptr<standin::kelo::Inspector>> before;
};

inline const std::vector<std::string> kReceivedTags = {"SaveMailToKelo"};
inline const std::vector<std::string> kComposeTags = {"FindKeloAddressButton", "AttachBusinessCard",
                                                      "InsertLinkButton"};

}  // namespace ostrellix::addin::mailtest
