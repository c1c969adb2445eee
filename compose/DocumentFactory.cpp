#include "compose/DocumentFactory.h"

#include <utility>
#include <vector>

#include "contracts/mapi/Constants.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kNotImplemented = 1001;
// Modes of the data engine's merge: plain text, and HTML (values escaped).
constexpr std::int32_t kMergeText = 0;
constexpr std::int32_t kMergeHtml = 2;

// A recipient line that still reads like a field code was not filled by the record.
bool LooksUnresolved(const std::string& text) { return text.starts_with('<') || text.ends_with('>'); }

}  // namespace

void DocumentFactory::CreateMailFromTemplate(const Ptr<kelo::IDocumentTemplate>& documentTemplate,
                                             const Ptr<kelo::IRecord>& record, std::string_view filename) {
    Must(documentTemplate).WriteFile(filename);
    const auto session = Globals::Redemption();
    const auto fromFile = session->GetMessageFromMsgFile(filename, false);
    const auto message = fromFile->Move(session->GetDefaultFolder(outlook::olFolderDrafts));
    Merge(message, record);
    message->Save();
    message->SaveAs(filename, mapi::olMSG);
    IgnoreErrors([&] { message->Delete(); });
}

ObjectPtr DocumentFactory::CreateAndReturnMailItemFromTemplate(const Ptr<kelo::IDocumentTemplate>& /*documentTemplate*/,
                                                               const Ptr<kelo::IRecord>& /*record*/,
                                                               std::string_view /*filename*/) {
    Raise(kNotImplemented, "DocumentFactory.CreateAndReturnMailItemFromTemplate", "Not Implemented");
}

void DocumentFactory::Merge(const Ptr<mapi::IMessage>& message, const Ptr<kelo::IRecord>& record) {
    MergeRecipients(message, record);
    message->SetSubject(record->Merge(message->Subject(), kMergeText));
    MergeBody(message, record);
}

void DocumentFactory::MergeRecipients(const Ptr<mapi::IMessage>& message, const Ptr<kelo::IRecord>& record) {
    const auto recipients = message->Recipients();
    std::vector<std::pair<std::string, std::int32_t>> kept;
    for (std::int32_t i = 1; i <= recipients->Count(); ++i) {
        const auto recipient = recipients->Item(i);
        std::string name = recipient->Name();
        if (name.empty()) name = recipient->Address();
        const std::string merged = text::Trim(record->Merge(name, kMergeText));
        if (!merged.empty() && !LooksUnresolved(merged)) kept.emplace_back(merged, recipient->Type());
    }
    for (std::int32_t i = recipients->Count(); i >= 1; --i) recipients->Remove(i);
    for (const auto& [name, type] : kept) recipients->Add(name)->SetType(type);
}

void DocumentFactory::MergeBody(const Ptr<mapi::IMessage>& message, const Ptr<kelo::IRecord>& record) {
    switch (message->BodyFormat()) {
        case outlook::olFormatHTML: {
            const std::string html = message->HTMLBody();
            const std::string merged = record->Merge(html, kMergeHtml);
            if (merged != html) message->SetHTMLBody(merged);
            break;
        }
        case outlook::olFormatRichText: {
            const std::string rtf = message->RtfBody();
            const std::string merged = record->Merge(rtf, kMergeText);
            if (merged != rtf) message->SetRtfBody(merged);
            break;
        }
        default: {
            const std::string body = message->Body();
            const std::string merged = record->Merge(body, kMergeText);
            if (merged != body) message->SetBody(merged);
        }
    }
}

}  // namespace ostrellix::addin
