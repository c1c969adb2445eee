#pragma once

#include <string>
#include <vector>

#include "standins/kelo/client/DialogPlans.h"
#include "standins/kelo/client/MenuCommands.h"
#include "tests/compose/ComposeFixture.h"

namespace ostrellix::addin::composetest {

// Record-detail mails asked for from the client's windows, and the pieces
// of HTML their bodies are expected to be made of.
class DetailMailTest : public ComposeTest {
protected:
    Ptr<kelo::IRecord> Load(std::string_view className, std::int32_t id);
    // The record's link as the client makes it.
    std::string Link(std::string_view className, std::int32_t id);
    // A list window of the class with these entries selected, in this order.
    Ptr<kelo::IExplorer> Selected(std::string_view className, const std::vector<std::int32_t>& ids);
    const standin::kelo::DialogPlans::Report& LastDialog();
    std::size_t Dialogs();
    std::vector<std::string> Attachments(const Ptr<outlook::IMailItem>& mail);

    static std::string Block(const std::string& content);
    static std::string Paragraph(const std::string& text);
    static std::string RecordLink(const std::string& link, const std::string& description);
    static std::string RelatedLink(const std::string& link, const std::string& description);
    static std::string LinkSection(const std::string& label, const std::vector<std::string>& entries);
    static std::string LinkEntry(const std::string& link, const std::string& description, const std::string& cls);

    standin::kelo::MenuCommands menu{world.Client()};
};

}  // namespace ostrellix::addin::composetest
