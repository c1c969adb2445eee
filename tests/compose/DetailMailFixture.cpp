#include "tests/compose/DetailMailFixture.h"

#include "contracts/kelo/IRecord.h"
#include "contracts/outlook/IAttachment.h"
#include "contracts/outlook/IAttachments.h"
#include "standins/kelo/client/Explorer.h"

namespace ostrellix::addin::composetest {

Ptr<kelo::IRecord> DetailMailTest::Load(std::string_view className, std::int32_t id) {
    const auto record = Cast<kelo::IRecord>(world.Kelo().CreateObject("QVR.Record"));
    record->Load(Class(className), id);
    return record;
}

std::string DetailMailTest::Link(std::string_view className, std::int32_t id) {
    return world.Kelo().Link(Load(className, id), kelo::linkkind::Desktop);
}

Ptr<kelo::IExplorer> DetailMailTest::Selected(std::string_view className, const std::vector<std::int32_t>& ids) {
    const auto list = world.User().OpenList(className);
    world.User().Select(list, ids);
    return list;
}

const standin::kelo::DialogPlans::Report& DetailMailTest::LastDialog() {
    return world.Kelo().Dialogs()->Reports().back();
}

std::size_t DetailMailTest::Dialogs() { return world.Kelo().Dialogs()->Reports().size(); }

std::vector<std::string> DetailMailTest::Attachments(const Ptr<outlook::IMailItem>& mail) {
    std::vector<std::string> names;
    const auto attachments = mail->Attachments();
    for (std::int32_t i = 1; i <= attachments->Count(); ++i) names.push_back(attachments->Item(i)->FileName());
    return names;
}

std::string DetailMailTest::Block(const std::string& content) {
    return "<div style=\"font-family:calibri,verdana;font-size:11pt\">" + content + "</div>";
}

std::string DetailMailTest::Paragraph(const std::string& text) {
    return "<p style=\"font-family:calibri,verdana;font-size:11pt\">" + text + "</p>";
}

std::string DetailMailTest::RecordLink(const std::string& link, const std::string& description) {
    return "<A HREF='" + link + "'>" + description + "</A>";
}

std::string DetailMailTest::RelatedLink(const std::string& link, const std::string& description) {
    return " (<A HREF='" + link + "'>" + description + "</A>)";
}

std::string DetailMailTest::LinkEntry(const std::string& link, const std::string& description,
                                      const std::string& cls) {
    return Block("<A HREF='" + link + "'>" + description + "</A> - " + cls);
}

std::string DetailMailTest::LinkSection(const std::string& label, const std::vector<std::string>& entries) {
    std::string html = "<p><div style=\"font-family:calibri,verdana;font-size:11pt;color:green\">" + label + ":</div>";
    for (const std::string& entry : entries) html += entry;
    return html + "</p>";
}

}  // namespace ostrellix::addin::composetest
