#include "mail/AttachmentDocuments.h"

#include <cstdio>

#include "contracts/kelo/Codes.h"
#include "contracts/kelo/IClasses.h"
#include "contracts/kelo/IDocument.h"
#include "contracts/kelo/IFields.h"
#include "contracts/outlook/Constants.h"
#include "core/Globals.h"
#include "core/Tools.h"
#include "mail/RecordLookup.h"
#include "runtime/ErrorHandling.h"
#include "runtime/Text.h"

namespace ostrellix::addin {

namespace {

constexpr std::int32_t kContactLabel = 1;
constexpr std::int32_t kCommentLabel = 3;

// The document class's fields by their role; where several fields qualify
// the last one walked wins, except for the file field.
struct DocumentFields {
    Ptr<kelo::IField> file, coworker, company, person, contact, comment;

    explicit DocumentFields(const Ptr<kelo::IClass>& documentClass) {
        const auto fields = documentClass->Fields();
        for (std::int32_t i = 1; i <= fields->Count(); ++i) {
            const auto field = fields->Item(i);
            const std::int32_t type = field->Type();
            if (type == kelo::fieldtype::Document && !file) file = field;
            if (type == kelo::fieldtype::RelationToOne) {
                const auto counterpart = field->Counterpart();
                const std::int32_t other = counterpart ? counterpart->Class()->Label() : 0;
                if (other == kelo::classlabel::Coworker) coworker = field;
                if (other == kelo::classlabel::Company) company = field;
                if (other == kelo::classlabel::Person) person = field;
            }
            if (field->Label() == kContactLabel && (type == kelo::fieldtype::Text || type == kelo::fieldtype::Memo)) {
                contact = field;
            }
            if (field->Label() == kCommentLabel) comment = field;
        }
    }
};

std::string WithoutQuotes(const std::string& name) {
    if (text::Len(name) >= 2 && name.front() == '\'' && name.back() == '\'') return name.substr(1, name.size() - 2);
    return name;
}

// The person's first relation to a company.
Ptr<kelo::IRecord> CompanyOf(const Ptr<kelo::IRecord>& person) {
    const auto fields = person->Class()->Fields();
    for (std::int32_t i = 1; i <= fields->Count(); ++i) {
        const auto field = fields->Item(i);
        if (field->Type() != kelo::fieldtype::RelationToOne) continue;
        const auto counterpart = field->Counterpart();
        if (counterpart && counterpart->Class()->Label() == kelo::classlabel::Company) return person->Linked(field->Name());
    }
    return nullptr;
}

bool IsNull(const Variant& value) { return value.IsNull() || value.IsEmpty(); }

}  // namespace

void AttachmentDocuments::Save(const Ptr<outlook::IMailItem>& mail, const ShowRecord& show) {
    const auto application = Globals::Application();
    const auto classes = application->Classes();
    const auto documentClass = classes->FindByLabel(kelo::classlabel::Document);
    if (!documentClass) Tools::RaiseError(Tools::GetText("NoDocumentClass"));

    Must(mail).Save();
    const auto message = Globals::Redemption()->GetMessageFromID(mail->EntryID());
    const DocumentFields fields(documentClass);

    Ptr<kelo::IRecord> person;
    std::string contactText;
    if (fields.contact || fields.person) {
        const auto personClass =
            fields.person ? fields.person->Counterpart()->Class() : classes->FindByLabel(kelo::classlabel::Person);
        person = RecordLookup::FindRecordFromMailItem(message, personClass);
        if (person) contactText = person->Descriptive();
    }
    if (fields.contact && contactText.empty()) {
        contactText = WithoutQuotes(RecordLookup::IsMessageSentToMe(message) ? message->SenderName() : message->To());
    }
    const Ptr<kelo::IRecord> company = fields.company && person ? CompanyOf(person) : nullptr;

    const auto attachments = message->Attachments();
    const auto utility = application->Utility();
    for (std::int32_t i = 1; i <= attachments->Count(); ++i) {
        const auto attachment = attachments->Item(i);
        if (attachment->Type() != outlook::olByValue) continue;
        const auto record = Cast<kelo::IRecord>(application->CreateObject("QVR.Record"));
        record->New(documentClass);
        if (fields.person && person) record->SetValue(fields.person->Name(), Variant(person->ID()));
        if (fields.company && company) record->SetValue(fields.company->Name(), Variant(company->ID()));
        if (fields.contact && !contactText.empty()) record->SetValue(fields.contact->Name(), Variant(contactText));
        if (fields.coworker && IsNull(record->Value(fields.coworker->Name()))) {
            const auto user = application->ActiveUser();
            if (const auto coworker = user ? user->Record() : nullptr) {
                record->SetValue(fields.coworker->Name(), Variant(coworker->ID()));
            }
        }
        if (fields.file) {
            const std::string path = Tools::MakeTempFileName(utility->GetExtension(attachment->FileName()));
            attachment->SaveAsFile(path);
            const auto document = Cast<kelo::IDocument>(application->CreateObject("QVR.Document"));
            PassOn([&] { document->LoadFromFile(path); }, [&] { std::remove(path.c_str()); });
            IgnoreErrors([&] { std::remove(path.c_str()); });
            record->SetValue(fields.file->Name(), Variant(ObjectPtr(document)));
        }
        if (fields.comment) record->SetValue(fields.comment->Name(), Variant(attachment->DisplayName()));
        show(record);
    }
}

}  // namespace ostrellix::addin
