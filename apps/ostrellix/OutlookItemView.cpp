#include "apps/ostrellix/OutlookItemView.h"

#include <map>
#include <ostream>

#include "apps/ostrellix/ItemKindName.h"
#include "contracts/outlook/Constants.h"
#include "contracts/outlook/IAttachment.h"
#include "contracts/outlook/IAttachments.h"
#include "contracts/outlook/IFolder.h"
#include "contracts/outlook/IUserProperties.h"
#include "contracts/outlook/IUserProperty.h"
#include "runtime/ErrorHandling.h"
#include "runtime/IDispatch.h"
#include "runtime/Text.h"

namespace ostrellix::host {

namespace {

const std::vector<std::string>& ShownProperties(const std::string& kind) {
    static const std::map<std::string, std::vector<std::string>> shown = {
        {"mail", {"SenderName", "SenderEmailAddress", "To", "CC", "BCC", "SentOn", "ReceivedTime"}},
        {"meeting", {"SenderName", "SenderEmailAddress", "To", "CC", "SentOn", "ReceivedTime"}},
        {"appointment", {"Organizer", "Start", "End", "AllDayEvent", "Location"}},
        {"task", {"Owner", "StartDate", "DueDate", "Status", "PercentComplete", "Complete"}},
        {"contact",
         {"FullName", "CompanyName", "JobTitle", "Email1Address", "Email2Address", "BusinessTelephoneNumber",
          "MobileTelephoneNumber", "HomeTelephoneNumber", "BusinessAddress", "HomeAddress", "Birthday"}},
        {"item", {}},
    };
    return shown.at(kind);
}

std::string OneLine(const std::string& text) { return text::Replace(text::Replace(text, "\r\n", " "), "\n", " "); }

nlohmann::json Object(const OutlookItemView::Pairs& pairs) {
    nlohmann::json object = nlohmann::json::object();
    for (const auto& [name, value] : pairs) object[name] = value;
    return object;
}

}  // namespace

OutlookItemView::OutlookItemView(Ptr<outlook::IItem> item) : item_(std::move(item)) {}

std::string OutlookItemView::Kind() { return ItemKindName::Of(item_->MessageClass()); }

OutlookItemView::Pairs OutlookItemView::Marks() {
    Pairs marks;
    const auto properties = item_->UserProperties();
    for (const char* name : {"KeloID", "KeloDatabase", "KeloChecksum"}) {
        if (const auto property = properties->Find(name)) marks.emplace_back(name, property->Value().ToString());
    }
    return marks;
}

OutlookItemView::Pairs OutlookItemView::Properties() {
    Pairs properties;
    const auto dispatch = As<IDispatch>(item_);
    std::vector<std::string> names = ShownProperties(Kind());
    for (const char* common : {"Categories", "CreationTime", "LastModificationTime"}) names.emplace_back(common);
    for (const std::string& name : names) {
        Variant value;
        // A kind of item the host does not know may lack one; it is not shown then.
        if (!dispatch || IgnoreErrors([&] { value = dispatch->Invoke(name, InvokeKind::PropertyGet, {}); })) continue;
        if (value.VarType() == Variant::Type::Date && value.ToDate() == outlook::kNoDate) continue;
        const std::string text = OneLine(value.ToString());
        if (!text.empty()) properties.emplace_back(name, text);
    }
    return properties;
}

std::string OutlookItemView::BodyStart() {
    const std::string body = OneLine(item_->Body());
    return text::Len(body) > kBodyStart ? text::Left(body, kBodyStart) + "..." : body;
}

std::vector<std::string> OutlookItemView::Attachments() {
    std::vector<std::string> names;
    const auto attachments = item_->Attachments();
    for (std::int32_t i = 1; i <= attachments->Count(); ++i) names.push_back(attachments->Item(i)->FileName());
    return names;
}

std::string OutlookItemView::FolderName() {
    const auto folder = item_->Parent();
    return folder ? folder->Name() : std::string();
}

void OutlookItemView::PrintLine(std::ostream& out) {
    out << item_->EntryID() << "  " << Kind() << "  \"" << OneLine(item_->Subject()) << "\"";
    for (const auto& [name, value] : Marks()) out << "  " << name << "=" << value;
    out << "\n";
}

nlohmann::json OutlookItemView::Summary() {
    return {{"entryId", item_->EntryID()},
            {"kind", Kind()},
            {"subject", item_->Subject()},
            {"folder", FolderName()},
            {"marks", Object(Marks())}};
}

void OutlookItemView::PrintDetails(std::ostream& out) {
    out << "EntryID: " << item_->EntryID() << "\n"
        << "Kind: " << Kind() << " in " << FolderName() << "\n"
        << "Subject: " << OneLine(item_->Subject()) << "\n";
    for (const auto& [name, value] : Properties()) out << name << ": " << value << "\n";
    out << "Body: " << BodyStart() << "\n";
    for (const std::string& name : Attachments()) out << "Attachment: " << name << "\n";
    for (const auto& [name, value] : Marks()) out << name << ": " << value << "\n";
}

nlohmann::json OutlookItemView::Details() {
    nlohmann::json details = Summary();
    details["properties"] = Object(Properties());
    details["body"] = BodyStart();
    details["attachments"] = Attachments();
    return details;
}

}  // namespace ostrellix::host
