#include "core/LinkMailBody.h"

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IInspector.h"
#include "contracts/kelo/IList.h"
#include "contracts/kelo/ISelection.h"
#include "core/Addin.h"
#include "core/Tools.h"

namespace ostrellix::addin {

namespace {

constexpr std::int16_t kDescriptionLength = 63;
constexpr const char* kLineStart = "<div style=\"font-family:times new roman,verdana;font-size:12pt\">";

}  // namespace

LinkMailBody::LinkMailBody(const Ptr<kelo::IApplication>& application, const Variant& records, std::int32_t linkKind)
    : application_(application),
      records_(Cast<kelo::IRecords>(application->CreateObject("QVR.Records"))),
      linkKind_(linkKind) {
    const ObjectPtr object = records.IsObject() ? records.ToObject() : nullptr;
    if (const auto selection = As<kelo::ISelection>(object)) {
        for (std::int32_t i = 1; i <= selection->Count(); ++i) records_->Add(selection->Item(i)->Record());
    } else if (const auto list = As<kelo::IList>(object)) {
        records_->Add(list->CurrentRecord());
    } else if (const auto inspector = As<kelo::IInspector>(object)) {
        records_->Add(inspector->Record());
    } else if (const auto set = As<kelo::IRecords>(object)) {
        for (std::int32_t i = 1; i <= set->Count(); ++i) records_->Add(set->Item(i));
    } else if (const auto record = As<kelo::IRecord>(object)) {
        records_->Add(record);
    } else {
        Tools::RaiseInternalError();
    }
    if (records_->Count() > 0) {
        const auto cls = records_->Item(1)->Class();
        localName_ = cls->LocalName();
        localNamePlural_ = cls->LocalNamePlural();
    }
    if (localName_.empty()) localName_ = localNamePlural_;
    if (localNamePlural_.empty()) localNamePlural_ = localName_;
    if (localName_.empty()) {
        localName_ = Tools::GetText("record");
        localNamePlural_ = Tools::GetText("records");
    }
}

std::string LinkMailBody::Description(std::int32_t index) {
    return Addin::TruncateDescription(records_->Item(index)->Descriptive(), kDescriptionLength);
}

std::string LinkMailBody::Html() {
    std::string html;
    for (std::int32_t i = 1; i <= records_->Count(); ++i) {
        const auto record = records_->Item(i);
        if (linkKind_ == kelo::linkkind::Both) {
            html += std::string(kLineStart) + Description(i) + ": <A HREF='" +
                    application_->Link(record, kelo::linkkind::Desktop) + "'>" + Tools::GetText("Desktoplink") +
                    "</A>" + ", " + "<A HREF='" + application_->Link(record, kelo::linkkind::Web) + "'>" +
                    Tools::GetText("Weblink") + "</A><BR/></div>";
        } else {
            html += std::string(kLineStart) + "<A HREF='" + application_->Link(record, linkKind_) + "'>" +
                    Description(i) + "</A><BR/></div>";
        }
    }
    return html;
}

std::string LinkMailBody::Subject(std::string_view given) {
    if (!given.empty()) return std::string(given);
    if (records_->Count() == 1) return Tools::GetText("SendUrlSubject", Description(1), localName_);
    return Tools::GetText("SendUrlSubjectPlural", std::to_string(records_->Count()), localNamePlural_);
}

}  // namespace ostrellix::addin
